#include "host/qt/qt_x11_pointer.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace {

// One monitor as the X server counts it (device pixels) and Qt's scale factor for it. Qt keeps a
// screen's top-left corner where the server has it and scales only what lies beyond it.
struct ScreenScale {
    QRect native;
    qreal factor = 1;
};

struct X11Pointer {
    // Written once on the GUI thread before the application thread polls.
    std::atomic<xcb_connection_t*> connection{nullptr};
    xcb_window_t window = 0;
    // Renewed on the GUI thread whenever a monitor comes, goes or changes.
    std::mutex screens_mutex;
    std::vector<ScreenScale> screens;
};

X11Pointer& x11_pointer() {
    static X11Pointer pointer;
    return pointer;
}

void take_screens() {
    std::vector<ScreenScale> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect logical = screen->geometry();
        const qreal factor = screen->devicePixelRatio();
        screens.push_back(
            {QRect(logical.topLeft(), (QSizeF(logical.size()) * factor).toSize()), factor});
    }
    X11Pointer& pointer = x11_pointer();
    std::lock_guard lock(pointer.screens_mutex);
    pointer.screens = std::move(screens);
}

void watch_screen(QScreen* screen) {
    QObject::connect(screen, &QScreen::geometryChanged, qGuiApp, take_screens);
    QObject::connect(screen, &QScreen::logicalDotsPerInchChanged, qGuiApp, take_screens);
}

// The server's position in Qt's coordinates: scaled from the corner of the monitor it is on.
QPoint to_qt(QPoint native) {
    X11Pointer& pointer = x11_pointer();
    std::lock_guard lock(pointer.screens_mutex);
    const ScreenScale* on = nullptr;
    for (const ScreenScale& screen : pointer.screens) {
        if (screen.native.contains(native)) {
            on = &screen;
            break;
        }
    }
    if (on == nullptr) on = pointer.screens.empty() ? nullptr : &pointer.screens.front();
    if (on == nullptr) return native;
    const QPoint origin = on->native.topLeft();
    return origin + (native - origin) / on->factor;
}

}  // namespace

void x11_pointer_attach(const QWidget* window) {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    X11Pointer& pointer = x11_pointer();
    if (x11 == nullptr || x11->connection() == nullptr) {
        pointer.connection.store(nullptr);
        return;
    }
    pointer.window = static_cast<xcb_window_t>(window->winId());
    take_screens();
    for (QScreen* screen : QGuiApplication::screens()) watch_screen(screen);
    QObject::connect(qGuiApp, &QGuiApplication::screenAdded, qGuiApp, [](QScreen* screen) {
        watch_screen(screen);
        take_screens();
    });
    QObject::connect(qGuiApp, &QGuiApplication::screenRemoved, qGuiApp, take_screens);
    // An xcb connection may be used from any thread.
    pointer.connection.store(x11->connection());
}

bool x11_pointer_position(QPoint* at) {
    X11Pointer& pointer = x11_pointer();
    xcb_connection_t* connection = pointer.connection.load();
    if (connection == nullptr) return false;
    xcb_query_pointer_reply_t* reply =
        xcb_query_pointer_reply(connection, xcb_query_pointer(connection, pointer.window), nullptr);
    if (reply == nullptr) return false;
    *at = to_qt(QPoint(reply->root_x, reply->root_y));
    std::free(reply);
    return true;
}
