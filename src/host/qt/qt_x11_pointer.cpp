#include "host/qt/qt_x11_pointer.h"

#include <QGuiApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <atomic>
#include <cmath>
#include <cstdlib>

namespace {

// Written once on the GUI thread before the application thread polls.
struct X11Pointer {
    std::atomic<xcb_connection_t*> connection{nullptr};
    xcb_window_t window = 0;
    double device_pixel_ratio = 1;
};

X11Pointer& x11_pointer()
{
    static X11Pointer pointer;
    return pointer;
}

}  // namespace

void x11_pointer_attach(const QWidget* window)
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    X11Pointer& pointer = x11_pointer();
    if (x11 == nullptr || x11->connection() == nullptr) {
        pointer.connection.store(nullptr);
        return;
    }
    pointer.window = static_cast<xcb_window_t>(window->winId());
    pointer.device_pixel_ratio = window->devicePixelRatioF();
    // An xcb connection may be used from any thread.
    pointer.connection.store(x11->connection());
}

bool x11_pointer_position(QPoint* at)
{
    X11Pointer& pointer = x11_pointer();
    xcb_connection_t* connection = pointer.connection.load();
    if (connection == nullptr) return false;
    xcb_query_pointer_reply_t* reply = xcb_query_pointer_reply(
        connection, xcb_query_pointer(connection, pointer.window), nullptr);
    if (reply == nullptr) return false;
    // The server counts device pixels; Qt's screen coordinates are scaled by the ratio.
    *at = QPoint(static_cast<int>(std::lround(reply->root_x / pointer.device_pixel_ratio)),
                 static_cast<int>(std::lround(reply->root_y / pointer.device_pixel_ratio)));
    std::free(reply);
    return true;
}
