// Under a Wayland compositor no client may read the global pointer: the host takes the position
// from the canvas's own events, and off the canvas it reads where no button is.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>

#include "host/host.h"
#include "host/qt/qt_canvas_view.h"
#include "host/qt/qt_host_state.h"
#include "host/qt/qt_main_window.h"
#include "qt_test_app.h"

TEST(QtWaylandPointer, PositionsComeFromTheCanvasEventsAndLeavingPutsThePointerOffTheCanvas) {
    if (qEnvironmentVariable("QT_QPA_PLATFORM") != QStringLiteral("wayland"))
        GTEST_SKIP() << "runs under a Wayland compositor (tools/with-weston.sh)";
    struct Reading {
        int x = 0, y = 0;
    };
    const QPoint moves[] = {{0, 0}, {100, 50}, {319, 239}};
    std::vector<Reading> seen;
    Reading before_any, after_leave;
    QString platform;
    const int code = run_host([&] {
        start_canvas();
        int right = 0, left = 0;
        read_pointer(&before_any.x, &before_any.y, &right, &left);
        for (const QPoint at : moves) {
            gui([&] {
                platform = QGuiApplication::platformName();
                QWidget* canvas = qt_host().main_window->canvas();
                QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(canvas->mapToGlobal(at)),
                                 Qt::NoButton, Qt::NoButton, Qt::NoModifier);
                QApplication::sendEvent(canvas, &move);
            });
            Reading reading;
            read_pointer(&reading.x, &reading.y, &right, &left);
            seen.push_back(reading);
        }
        gui([] {
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(qt_host().main_window->canvas(), &leave);
        });
        read_pointer(&after_leave.x, &after_leave.y, &right, &left);
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(platform, QStringLiteral("wayland"));
    // Before the pointer has come to the canvas, and after it left, it is far off it.
    EXPECT_LT(before_any.x, -1000);
    EXPECT_LT(after_leave.x, -1000);
    ASSERT_EQ(seen.size(), std::size(moves));
    for (size_t i = 0; i < seen.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(seen[i].x, moves[i].x());
        EXPECT_EQ(seen[i].y, moves[i].y());
    }
}
