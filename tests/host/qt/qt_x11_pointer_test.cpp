// The pointer read straight from the X server, on two monitors side by side at the scale factor
// the test is run with: every reading must be where Qt itself puts the pointer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>
#include <QtTest/QTest>

#include <xcb/xcb.h>

#include "host/qt/qt_x11_pointer.h"

TEST(X11Pointer, ReadsWhereQtPutsThePointerOnEveryMonitor) {
    int argc = 1;
    char name[] = "qt_x11_pointer_test";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    const QList<QScreen*> screens = QGuiApplication::screens();
    ASSERT_EQ(screens.size(), 2) << "run with two monitors side by side";
    QWidget window;
    window.resize(200, 100);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    x11_pointer_attach(&window);

    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    ASSERT_NE(x11, nullptr);
    xcb_connection_t* connection = x11->connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    // Device pixels of the two 800 x 600 monitors: corners and middles of each (at a scale of 2
    // Qt rounds an odd last pixel onto the next logical one, past the monitor).
    const struct {
        QPoint device;
        int screen;
    } cases[] = {{{0, 0}, 0},   {{400, 300}, 0},  {{798, 598}, 0},
                 {{800, 0}, 1}, {{1000, 300}, 1}, {{1598, 598}, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "device " << c.device.x() << "," << c.device.y());
        xcb_warp_pointer(connection, XCB_NONE, root, 0, 0, 0, 0, int16_t(c.device.x()),
                         int16_t(c.device.y()));
        xcb_flush(connection);
        QPoint ours;
        ASSERT_TRUE(x11_pointer_position(&ours));
        EXPECT_EQ(ours, QCursor::pos());
        EXPECT_EQ(QGuiApplication::screenAt(ours), screens[c.screen]);
    }
}
