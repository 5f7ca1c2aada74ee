// Presenting on the Qt host: an unchanged canvas or text costs no repaint, and however fast the
// application presents, the window ends up showing the last picture presented; text is as sharp
// as the screen's pixels.
#include <gtest/gtest.h>

#include <QEvent>
#include <QObject>

#include <chrono>
#include <cstring>
#include <thread>

#include "host/host.h"
#include "host/qt/qt_canvas_view.h"
#include "host/qt/qt_host_state.h"
#include "host/qt/qt_main_window.h"
#include "host/qt/qt_text_window.h"
#include "qt_test_app.h"

namespace {

// Counts the canvas view's paint events (GUI thread).
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

int paints_so_far(PaintCounter* counter) {
    return gui([counter] { return counter->paints; });
}

// Waits, from the application thread, until the canvas has been painted more than `count` times;
// false when that has not happened within a generous while.
bool painted_after(PaintCounter* counter, int count) {
    for (int i = 0; i < 500; ++i) {
        if (paints_so_far(counter) > count) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

}  // namespace

TEST(QtHostPresentation, AnUnchangedCanvasIsNotRepaintedAndTheLastPictureIsShown) {
    PaintCounter counter;
    bool first_painted = false, last_painted = false;
    int paints_while_unchanged = -1;
    QImage shown;
    const int code = run_host([&] {
        start_canvas();
        gui([&] { qt_host().main_window->canvas()->installEventFilter(&counter); });
        uint8_t* bits = virtual_screen().bits;

        bits[0] = 10;
        int before = paints_so_far(&counter);
        present_screen();
        first_painted = painted_after(&counter, before);

        // The welcome screen's loop: the same picture presented again and again.
        before = paints_so_far(&counter);
        for (int i = 0; i < 200; ++i) present_screen();
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        paints_while_unchanged = paints_so_far(&counter) - before;

        // A burst of changed pictures, as playback or a drawing tool presents them: the last one
        // must reach the window.
        before = paints_so_far(&counter);
        for (int row = 0; row < 240; ++row) {
            std::memset(bits + row * 320, 10, 320);
            present_screen();
        }
        // Once no repaint is pending, one has begun since the last presentation's copy.
        last_painted = painted_after(&counter, before);
        for (int i = 0; i < 500 && qt_host().presented.repaint_pending.load(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        last_painted = last_painted && !qt_host().presented.repaint_pending.load();
        shown = gui([] { return grab_canvas(); });
        gui([&] { qt_host().main_window->canvas()->removeEventFilter(&counter); });
    });
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(first_painted);
    EXPECT_EQ(paints_while_unchanged, 0);
    EXPECT_TRUE(last_painted);
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(319, 239), qRgb(0, 0, 0)) << "the last row presented is not shown";
}

TEST(QtHostPresentation, TextPrintedAgainUnchangedIsNotRepaintedAndChangedTextIs) {
    PaintCounter counter;
    bool first_painted = false, changed_painted = false;
    int paints_while_unchanged = -1;
    const int code = run_host([&] {
        start_canvas();
        gui([&] { qt_host().text_window->installEventFilter(&counter); });
        clear_text();
        int before = paints_so_far(&counter);
        set_text_pos(0, 1);
        print_text("(10,20)        \n");
        first_painted = painted_after(&counter, before);

        // A waiting drawing tool prints the pointer's unchanged position at every poll; the
        // same text printed elsewhere first does not change the line either.
        before = paints_so_far(&counter);
        for (int i = 0; i < 200; ++i) {
            if (i == 100) {
                set_text_pos(0, 1);
                print_text("(10,");
            }
            set_text_pos(0, 1);
            print_text("(10,20)        \n");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        paints_while_unchanged = paints_so_far(&counter) - before;

        before = paints_so_far(&counter);
        set_text_pos(0, 1);
        print_text("(11,20)        \n");
        changed_painted = painted_after(&counter, before);
        gui([&] { qt_host().text_window->removeEventFilter(&counter); });
    });
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(first_painted);
    EXPECT_EQ(paints_while_unchanged, 0);
    EXPECT_TRUE(changed_painted);
}

// Registered a second time to run at a scale factor of 2.
TEST(QtHostPresentation, TextIsDrawnAtTheScreensResolution) {
    if (qEnvironmentVariable("QT_SCALE_FACTOR") != QStringLiteral("2"))
        GTEST_SKIP() << "runs with QT_SCALE_FACTOR=2";
    QImage shown;
    qreal ratio = 0;
    const int code = run_host([&] {
        start_canvas();
        clear_text();
        print_text("めぷ Draw");
        gui([&] {
            TextWindow* window = qt_host().text_window;
            ratio = window->devicePixelRatioF();
            shown = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
        });
    });
    EXPECT_EQ(code, 0);
    ASSERT_EQ(ratio, 2);
    keep_screenshot(shown, "qt_text_window_ratio_2.png");
    // Pixel-doubled text shows as 2 x 2 blocks; text at the screen's resolution has ink edges
    // inside them.
    int ink = 0, split_blocks = 0;
    for (int y = 0; y + 1 < shown.height(); y += 2)
        for (int x = 0; x + 1 < shown.width(); x += 2) {
            const QRgb corner = shown.pixel(x, y);
            if ((corner & 0xFFFFFF) != 0xFFFFFF) ++ink;
            if (shown.pixel(x + 1, y) != corner || shown.pixel(x, y + 1) != corner ||
                shown.pixel(x + 1, y + 1) != corner)
                ++split_blocks;
        }
    EXPECT_GT(ink, 0) << "no text drawn";
    EXPECT_GT(split_blocks, 0) << "the text is pixel-doubled";
}
