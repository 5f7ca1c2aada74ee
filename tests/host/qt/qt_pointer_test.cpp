// Pointer input through the Qt host's windows: positions, held flags, scaling, both windows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>

#include "host/host.h"
#include "host/qt/qt_canvas_view.h"
#include "host/qt/qt_host_state.h"
#include "host/qt/qt_main_window.h"
#include "host/qt/qt_text_window.h"
#include "qt_test_app.h"

namespace {

// Puts the pointer at `at` of `widget` (GUI thread).
void move_pointer(QWidget* widget, QPoint at) { QCursor::setPos(widget->mapToGlobal(at)); }

// Delivers a mouse event to `widget` with the pointer there, as the window system would (GUI
// thread).
void send_mouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button, QPoint at) {
    move_pointer(widget, at);
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::MouseButtons();
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

QWidget* canvas() { return qt_host().main_window->canvas(); }

struct Reading {
    int x = -99, y = -99, right = -1, left = -1;
};

Reading read_now() {
    Reading r;
    read_pointer(&r.x, &r.y, &r.right, &r.left);
    return r;
}

}  // namespace

TEST(QtHostPointer, WindowPixelsScaleToCanvasPixelsAtEachSize) {
    struct Case {
        QSize client;
        QPoint at;
        QPoint canvas;
    };
    const Case cases[] = {
        {{320, 240}, {0, 0}, {0, 0}},         {{320, 240}, {319, 239}, {319, 239}},
        {{320, 240}, {17, 5}, {17, 5}},       {{640, 480}, {639, 479}, {319, 239}},
        {{640, 480}, {1, 1}, {0, 0}},         {{640, 480}, {3, 5}, {1, 2}},
        {{400, 300}, {399, 299}, {319, 239}}, {{400, 300}, {5, 5}, {4, 4}},
    };
    struct Seen {
        Reading held, released;
        int release_x = -1, release_y = -1, release_button = -1;
    };
    std::vector<Seen> seen;
    const int code = run_host([&] {
        start_canvas();
        for (const Case& c : cases) {
            Seen s;
            resize_main_window(c.client.width(), c.client.height());
            gui([&] { send_mouse(canvas(), QEvent::MouseButtonPress, Qt::LeftButton, c.at); });
            s.held = read_now();
            gui([&] { send_mouse(canvas(), QEvent::MouseButtonRelease, Qt::LeftButton, c.at); });
            s.released = read_now();
            get_last_release(&s.release_x, &s.release_y, &s.release_button);
            seen.push_back(s);
        }
    });
    EXPECT_EQ(code, 0);
    ASSERT_EQ(seen.size(), std::size(cases));
    for (size_t i = 0; i < seen.size(); ++i) {
        SCOPED_TRACE(i);
        const Case& c = cases[i];
        EXPECT_EQ(seen[i].held.x, c.canvas.x());
        EXPECT_EQ(seen[i].held.y, c.canvas.y());
        EXPECT_EQ(seen[i].held.left, 1);
        EXPECT_EQ(seen[i].held.right, 0);
        EXPECT_EQ(seen[i].released.left, 0);
        // The release is recorded in window pixels, with the left button's code.
        EXPECT_EQ(seen[i].release_x, c.at.x());
        EXPECT_EQ(seen[i].release_y, c.at.y());
        EXPECT_EQ(seen[i].release_button, 2);
    }
}

TEST(QtHostPointer, TextWindowClicksFeedTheSamePointerState) {
    Reading held, released;
    int release_x = -1, release_y = -1, button = -1;
    const int code = run_host([&] {
        start_canvas();
        gui([&] {
            send_mouse(qt_host().text_window, QEvent::MouseButtonPress, Qt::RightButton, {30, 40});
        });
        held = read_now();
        gui([&] {
            send_mouse(qt_host().text_window, QEvent::MouseButtonRelease, Qt::RightButton,
                       {30, 40});
        });
        released = read_now();
        get_last_release(&release_x, &release_y, &button);
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(held.right, 1);
    EXPECT_EQ(held.left, 0);
    EXPECT_EQ(released.right, 0);
    EXPECT_EQ(release_x, 30);
    EXPECT_EQ(release_y, 40);
    EXPECT_EQ(button, 1);
}

TEST(QtHostPointer, TakeReportsEachPressOnceAndWaitClickSeesAHeldPress) {
    Reading taken, taken_again, read_while_held;
    Reading clicked;
    const int code = run_host([&] {
        start_canvas();
        gui([&] { send_mouse(canvas(), QEvent::MouseButtonPress, Qt::LeftButton, {50, 60}); });
        take_pointer(&taken.x, &taken.y, &taken.right, &taken.left);
        take_pointer(&taken_again.x, &taken_again.y, &taken_again.right, &taken_again.left);
        read_while_held = read_now();
        gui([&] { send_mouse(canvas(), QEvent::MouseButtonRelease, Qt::LeftButton, {50, 60}); });
        // A right press arriving while wait_click waits ends the wait.
        later(100, [] {
            send_mouse(canvas(), QEvent::MouseButtonPress, Qt::RightButton, {70, 80});
        });
        wait_click(&clicked.x, &clicked.y, &clicked.right, &clicked.left);
        gui([&] { send_mouse(canvas(), QEvent::MouseButtonRelease, Qt::RightButton, {70, 80}); });
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(taken.left, 1);
    EXPECT_EQ(taken.x, 50);
    EXPECT_EQ(taken.y, 60);
    EXPECT_EQ(taken_again.left, 0);
    EXPECT_EQ(read_while_held.left, 0);
    EXPECT_EQ(clicked.right, 1);
    EXPECT_EQ(clicked.left, 0);
}

TEST(QtHostPointer, AMinimisedWindowReadsAsTheOrigin) {
    Reading minimised, restored;
    const int code = run_host([&] {
        start_canvas();
        gui([&] {
            send_mouse(canvas(), QEvent::MouseButtonPress, Qt::LeftButton, {200, 100});
            qt_host().main_window->showMinimized();
        });
        minimised = read_now();
        gui([&] {
            qt_host().main_window->showNormal();
            send_mouse(canvas(), QEvent::MouseButtonRelease, Qt::LeftButton, {200, 100});
        });
        restored = read_now();
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(minimised.x, 0);
    EXPECT_EQ(minimised.y, 0);
    EXPECT_EQ(minimised.left, 1);
    EXPECT_EQ(restored.x, 200);
    EXPECT_EQ(restored.y, 100);
    EXPECT_EQ(restored.left, 0);
}

// The position comes from the platform at each poll, not from the windows' own events, so it
// follows the pointer outside them: negative left of or above the canvas, 320 / 240 and more
// right of or below it, scaled like any other position.
TEST(QtHostPointer, PositionIsReadFreshAlsoOutsideTheWindows) {
    struct Case {
        QSize client;
        QPoint at;  // canvas-area pixels, may lie outside it
        QPoint canvas;
    };
    const Case cases[] = {
        {{320, 240}, {-1, -1}, {-1, -1}},     {{320, 240}, {-50, 10}, {-50, 10}},
        {{320, 240}, {320, 240}, {320, 240}}, {{320, 240}, {400, -30}, {400, -30}},
        {{640, 480}, {-1, -1}, {0, 0}},       {{640, 480}, {-2, -2}, {-1, -1}},
        {{640, 480}, {700, 500}, {350, 250}}, {{320, 240}, {100, 50}, {100, 50}},
    };
    std::vector<Reading> seen;
    const int code = run_host([&] {
        start_canvas();
        for (const Case& c : cases) {
            resize_main_window(c.client.width(), c.client.height());
            // No event reaches our windows: only the platform's pointer moves.
            gui([&] { move_pointer(canvas(), c.at); });
            seen.push_back(read_now());
        }
    });
    EXPECT_EQ(code, 0);
    ASSERT_EQ(seen.size(), std::size(cases));
    for (size_t i = 0; i < seen.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(seen[i].x, cases[i].canvas.x());
        EXPECT_EQ(seen[i].y, cases[i].canvas.y());
    }
}

// A press and its release both delivered before the next poll, as a quick click or a tap sends
// them: the poll after them sees the press once, in either window.
TEST(QtHostPointer, QuickClickBetweenPollsIsSeenOnce) {
    struct Seen {
        Reading first, second;
    };
    std::vector<Seen> seen;
    const int code = run_host([&] {
        start_canvas();
        QWidget* windows[] = {canvas(), qt_host().text_window};
        for (QWidget* window : windows) {
            for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
                Seen s;
                gui([&] {
                    send_mouse(window, QEvent::MouseButtonPress, button, {20, 30});
                    send_mouse(window, QEvent::MouseButtonRelease, button, {20, 30});
                });
                s.first = read_now();
                s.second = read_now();
                seen.push_back(s);
            }
        }
    });
    EXPECT_EQ(code, 0);
    ASSERT_EQ(seen.size(), 4u);
    for (size_t i = 0; i < seen.size(); ++i) {
        SCOPED_TRACE(i);
        const bool left = i % 2 == 0;
        EXPECT_EQ(seen[i].first.left, left ? 1 : 0);
        EXPECT_EQ(seen[i].first.right, left ? 0 : 1);
        EXPECT_EQ(seen[i].second.left + seen[i].second.right, 0);
    }
}
