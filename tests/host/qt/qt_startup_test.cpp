// Start-up, the windows and the canvas as the Qt host shows them.
#include <gtest/gtest.h>

#include <QMenuBar>
#include <QStringList>

#include "host/common/text_layout.h"
#include "host/host.h"
#include "host/qt/qt_canvas_view.h"
#include "host/qt/qt_host_state.h"
#include "host/qt/qt_main_window.h"
#include "host/qt/qt_text_window.h"
#include "qt_test_app.h"

namespace {

QString utf16(const char16_t* text) { return QString::fromUtf16(text); }

// The bounding box of everything not white in `image`.
QRect ink_box(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) box |= QRect(x, y, 1, 1);
    return box;
}

// What the canvas must look like: each canvas pixel's palette colour, stretched to `size` by
// nearest neighbour (exact at 1x and 2x).
QImage expected_canvas(const uint8_t* bits, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const PaletteEntry colour =
                palette_get(bits[(y * 240 / size.height()) * 320 + x * 320 / size.width()]);
            image.setPixel(x, y, qRgb(colour.red, colour.green, colour.blue));
        }
    return image;
}

}  // namespace

TEST(QtHostStartup, OpensBothWindowsWithTheirTitlesMenuAndSizes) {
    struct Seen {
        QString main_title, text_title;
        QStringList menu;
        QSize canvas, text_outer, text_client;
        QMargins text_frame;
        int line_start = -1;
        bool text_visible = false;
        bool text_has_close_button = true;
    } seen;
    const int code = run_host([&] {
        start_canvas();
        gui([&] {
            QtHostState& host = qt_host();
            seen.main_title = host.main_window->windowTitle();
            seen.text_title = host.text_window->windowTitle();
            for (QAction* top : host.main_window->menuBar()->actions()) {
                seen.menu << top->text();
                for (QAction* entry : top->menu()->actions()) seen.menu << entry->text();
            }
            seen.canvas = host.main_window->canvas()->size();
            seen.text_outer = host.text_window->frameGeometry().size();
            seen.text_client = host.text_window->size();
            const QRect outer = host.text_window->frameGeometry();
            const QRect client = host.text_window->geometry();
            seen.text_frame =
                QMargins(client.left() - outer.left(), client.top() - outer.top(),
                         outer.right() - client.right(), outer.bottom() - client.bottom());
            seen.text_visible = host.text_window->isVisible();
            seen.text_has_close_button =
                host.text_window->windowFlags().testFlag(Qt::WindowCloseButtonHint);
        });
        seen.line_start = qt_host().text_window->line_start_x();
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(test_app().freed, 1);
    EXPECT_EQ(seen.main_title, utf16(u"tarvolo Zelkon interface"));
    EXPECT_EQ(seen.text_title, utf16(u"tarvolo Zelkon interface -text out-"));
    const QStringList menu{
        utf16(u"動作"), utf16(u"一時停止"), utf16(u"終了"), utf16(u"画面設定"),
        utf16(u"標準"), utf16(u"２倍"),     utf16(u"?"),    utf16(u"Zel kon interface について")};
    EXPECT_EQ(seen.menu, menu);
    EXPECT_EQ(seen.canvas, QSize(320, 240));
    // 600 x 160 is the outer size; the offscreen platform gives its windows a frame, so the
    // client area is smaller by it and lines start at the frame's right-hand width.
    EXPECT_EQ(seen.text_outer, QSize(600, 160));
    EXPECT_FALSE(seen.text_frame.isNull());
    EXPECT_EQ(seen.text_client, QSize(600 - seen.text_frame.left() - seen.text_frame.right(),
                                      160 - seen.text_frame.top() - seen.text_frame.bottom()));
    EXPECT_EQ(seen.line_start, seen.text_frame.right());
    EXPECT_TRUE(seen.text_visible);
    EXPECT_FALSE(seen.text_has_close_button);
}

TEST(QtHostStartup, WelcomeTextReachesTheTextWindowAndItsScreenshot) {
    QImage shown, backing;
    int line_height = 0, d_width = 0;
    const int code = run_host([&] {
        start_canvas();
        clear_text();
        set_text_pos(10, 2);
        print_text("めぷへようこそ");
        gui([&] {
            TextWindow* window = qt_host().text_window;
            shown = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
            backing = window->backing_copy().convertToFormat(QImage::Format_RGB32);
        });
        line_height = qt_host().text_window->letter_height();
        d_width = qt_host().text_window->measure_width("D", 1);
    });
    EXPECT_EQ(code, 0);
    ASSERT_FALSE(shown.isNull());
    keep_screenshot(shown, "qt_text_window.png");
    // The window repaints exactly its backing image, which covers the whole outer size.
    EXPECT_EQ(backing.size(), QSize(600, 160));
    EXPECT_EQ(shown, backing.copy(QRect(QPoint(0, 0), shown.size())));
    const QRect ink = ink_box(shown);
    ASSERT_FALSE(ink.isEmpty()) << "no text drawn";
    EXPECT_GT(d_width, 0);
    EXPECT_GT(line_height, 0);
    EXPECT_GE(ink.left(), 10 * d_width);
    EXPECT_GE(ink.top(), 2 * line_height);
    EXPECT_LT(ink.bottom(), 3 * line_height);
    // Seven full-width characters, each about two columns wide.
    EXPECT_GT(ink.width(), 7 * d_width);
}

TEST(QtHostStartup, CanvasShowsPaletteColoursAtStandardDoubleAndDraggedSizes) {
    struct Case {
        QSize client;
        bool by_menu;
    };
    const Case cases[] = {{{320, 240}, true}, {{640, 480}, true}, {{400, 300}, false}};
    std::vector<QImage> grabs, expected;
    std::vector<QSize> sizes;
    const int code = run_host([&] {
        start_canvas();
        uint8_t* bits = virtual_screen().bits;
        bits[0] = 10;                // ink in the top-left corner
        bits[320 * 239 + 319] = 10;  // and the bottom-right one
        bits[320 * 7 + 5] = 190;     // a faint grey
        for (int x = 100; x < 200; ++x) bits[320 * 120 + x] = 10;
        present_screen();
        for (const Case& c : cases) {
            gui([&] {
                MainWindow* window = qt_host().main_window;
                if (!c.by_menu) {
                    window->resize_client(c.client.width(), c.client.height());
                } else {
                    window
                        ->action(c.client.width() == 640 ? HostCommand::double_size
                                                         : HostCommand::standard_size)
                        ->trigger();
                }
                sizes.push_back(window->canvas()->size());
                grabs.push_back(grab_canvas());
                expected.push_back(expected_canvas(bits, window->canvas()->size()));
            });
        }
    });
    EXPECT_EQ(code, 0);
    ASSERT_EQ(grabs.size(), std::size(cases));
    keep_screenshot(grabs[1], "qt_canvas_2x.png");
    for (size_t i = 0; i < grabs.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(sizes[i], cases[i].client);
    }
    // Whole-picture comparisons where the stretch is exact.
    EXPECT_EQ(grabs[0], expected[0]);
    EXPECT_EQ(grabs[1], expected[1]);
    // Dragged to 400 x 300 the picture still fills the area, corner to corner.
    EXPECT_EQ(grabs[2].pixel(0, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(grabs[2].pixel(399, 299) & 0xFFFFFF, 0u);
    EXPECT_EQ(grabs[2].pixel(200, 150) & 0xFFFFFF, 0u);
    EXPECT_EQ(grabs[2].pixel(200, 140) & 0xFFFFFF, 0xFFFFFFu);
    // Grey 190 of the ramp shows as 195; at 2x it covers a 2 x 2 block.
    EXPECT_EQ(grabs[1].pixel(10, 14) & 0xFFFFFF, 0xC3C3C3u);
    EXPECT_EQ(grabs[1].pixel(11, 15) & 0xFFFFFF, 0xC3C3C3u);
    EXPECT_EQ(grabs[1].pixel(639, 479) & 0xFFFFFF, 0u);
}

TEST(QtHostStartup, FeedbackLinesLastUntilTheNextPresentation) {
    QImage with_lines, after_present;
    const int code = run_host([&] {
        start_canvas();
        feedback_begin(10);
        feedback_move_to(10, 20);
        feedback_line_to(100, 20);
        feedback_end();
        gui([&] { with_lines = grab_canvas(); });
        present_screen();
        gui([&] { after_present = grab_canvas(); });
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(with_lines.pixel(50, 20) & 0xFFFFFF, 0u);
    EXPECT_EQ(with_lines.pixel(50, 21) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(after_present.pixel(50, 20) & 0xFFFFFF, 0xFFFFFFu);
}
