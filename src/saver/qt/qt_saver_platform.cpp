#include "saver/qt/qt_saver_platform.h"

#include <algorithm>

#include "qt_text/shift_jis_text.h"
#include "saver/core/saver_picture.h"
#include "saver/core/saver_window.h"
#include "saver/qt/qt_saver_dialogs.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

SaverWidget::SaverWidget(SaverWindow* owner, const SaverWidget* covers_for)
    : owner_(owner), covers_for_(covers_for) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void SaverWidget::send(uint32_t message) {
    // A cover's input is the saver window's input.
    const WindowHandle window = covers_for_ != nullptr ? covers_for_->handle() : handle();
    owner_->handle_message(window, message, 0, 0);
}

void SaverWidget::paintEvent(QPaintEvent*) {
    if (covers_for_ != nullptr) {
        QPainter(this).fillRect(rect(), Qt::black);
        return;
    }
    send(SAVER_MSG_PAINT);
}

void SaverWidget::mouseMoveEvent(QMouseEvent*) { send(SAVER_MSG_MOUSE_MOVE); }

void SaverWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) send(SAVER_MSG_LEFT_BUTTON_DOWN);
    if (event->button() == Qt::RightButton) send(SAVER_MSG_RIGHT_BUTTON_DOWN);
}

void SaverWidget::keyPressEvent(QKeyEvent* event) {
    // The system keys (Alt alone or with another key, F10) are not input to the saver, as on
    // Windows; Alt+F4 asks to close the window there, and does so here too.
    const bool alt = event->modifiers().testFlag(Qt::AltModifier);
    if (alt && event->key() == Qt::Key_F4) {
        send(SAVER_MSG_CLOSE);
        return;
    }
    if (alt || event->key() == Qt::Key_Alt || event->key() == Qt::Key_AltGr ||
        event->key() == Qt::Key_F10) {
        return;
    }
    send(SAVER_MSG_KEY_DOWN);
}

void SaverWidget::closeEvent(QCloseEvent* event) {
    // The window manager's close goes the saver's own way (on_close, then destroy).
    event->ignore();
    send(SAVER_MSG_CLOSE);
}

namespace {

constexpr Qt::WindowFlags FULL_SCREEN_FLAGS =
    Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;

// The size of a foreign X11 window; Qt does not know it for a window it did not make.
bool x11_window_size(WindowHandle window, QSize* size) {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr) return false;
    xcb_connection_t* connection = x11->connection();
    xcb_get_geometry_reply_t* reply = xcb_get_geometry_reply(
        connection, xcb_get_geometry(connection, xcb_drawable_t(window)), nullptr);
    if (reply == nullptr) return false;
    *size = QSize(reply->width, reply->height);
    std::free(reply);
    return true;
}

xcb_connection_t* x11_connection() {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

// Takes the keyboard and the pointer for `window`, so that no key or click reaches a window
// behind it; false when another client holds them.
bool grab_input(xcb_window_t window) {
    xcb_connection_t* connection = x11_connection();
    if (connection == nullptr) return false;
    xcb_grab_keyboard_reply_t* keyboard =
        xcb_grab_keyboard_reply(connection,
                                xcb_grab_keyboard(connection, 1, window, XCB_CURRENT_TIME,
                                                  XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
                                nullptr);
    const bool keyboard_taken = keyboard != nullptr && keyboard->status == XCB_GRAB_STATUS_SUCCESS;
    std::free(keyboard);
    const uint16_t events =
        XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_POINTER_MOTION;
    xcb_grab_pointer_reply_t* pointer = xcb_grab_pointer_reply(
        connection,
        xcb_grab_pointer(connection, 1, window, events, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC,
                         XCB_NONE, XCB_NONE, XCB_CURRENT_TIME),
        nullptr);
    const bool pointer_taken = pointer != nullptr && pointer->status == XCB_GRAB_STATUS_SUCCESS;
    std::free(pointer);
    return keyboard_taken && pointer_taken;
}

bool is_root_window(WindowHandle window) {
    xcb_connection_t* connection = x11_connection();
    if (connection == nullptr) return false;
    for (auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection)); screens.rem;
         xcb_screen_next(&screens)) {
        if (WindowHandle(screens.data->root) == window) return true;
    }
    return false;
}

}  // namespace

WindowHandle x11_root_window() {
    xcb_connection_t* connection = x11_connection();
    if (connection == nullptr) return NO_WINDOW;
    return WindowHandle(xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root);
}

QtSaverPlatform::QtSaverPlatform(SettingsStore& settings, bool errors_to_stderr)
    : settings_(settings), errors_to_stderr_(errors_to_stderr) {
    clock_.start();
}

bool QtSaverPlatform::register_window_class(const char*) { return true; }

SaverWidget* QtSaverPlatform::widget_of(WindowHandle window) const {
    if (widget_ == nullptr || widget_->handle() != window) return nullptr;
    return widget_.data();
}

WindowHandle QtSaverPlatform::create_window(SaverWindow* owner, const char* class_name,
                                            WindowHandle host) {
    auto* widget = new SaverWidget(owner);
    widget_ = widget;
    host_ = host;
    widget->setWindowTitle(QString::fromLatin1(class_name));
    if (host == NO_WINDOW) {
        // Full screen is asked of the window manager when shown; above it stays on top of
        // panels and other windows that keep themselves above.
        widget->setWindowFlags(FULL_SCREEN_FLAGS);
        widget->setScreen(QGuiApplication::primaryScreen());
        widget->setGeometry(QGuiApplication::primaryScreen()->geometry());
        return widget->handle();
    }
    QSize host_pixels;
    if (!x11_window_size(host, &host_pixels)) {
        delete widget;
        return NO_WINDOW;
    }
    if (is_root_window(host)) {
        // Drawing for a screen-saver host on the whole screen: past the window manager, as the
        // host's own windows are.
        widget->setWindowFlags(Qt::Window | Qt::FramelessWindowHint |
                               Qt::X11BypassWindowManagerHint);
        widget->setGeometry(QRect(QPoint(0, 0), host_pixels));
    } else {
        widget->setWindowFlags(Qt::FramelessWindowHint);
        widget->winId();
        widget->windowHandle()->setParent(QWindow::fromWinId(WId(host)));
        host_check_.start();
    }
    // The host counts device pixels, Qt's sizes are scaled by the ratio: rounded up, so that
    // the picture reaches the host's last row and column.
    const qreal ratio = widget->windowHandle() != nullptr
                            ? widget->windowHandle()->devicePixelRatio()
                            : widget->devicePixelRatioF();
    widget->setGeometry(0, 0, int(std::ceil(host_pixels.width() / ratio)),
                        int(std::ceil(host_pixels.height() / ratio)));
    return widget->handle();
}

void QtSaverPlatform::destroy_window(WindowHandle window) {
    SaverWidget* widget = widget_of(window);
    if (widget == nullptr) return;
    widget_ = nullptr;
    for (QPointer<SaverWidget>& cover : covers_) delete cover.data();
    covers_.clear();
    widget->owner()->handle_message(window, SAVER_MSG_DESTROY, 0, 0);
    widget->hide();
    widget->deleteLater();
}

void QtSaverPlatform::show_window(WindowHandle window) {
    SaverWidget* widget = widget_of(window);
    if (widget == nullptr) return;
    if (host_ == NO_WINDOW) {
        widget->showFullScreen();
        cover_other_screens(widget);
    } else {
        widget->show();
    }
    widget->raise();
    if (host_ == NO_WINDOW) widget->activateWindow();
    widget->setFocus();
    // Where no X server answers (Wayland) nothing can be grabbed.
    grab_pending_ = host_ == NO_WINDOW && x11_connection() != nullptr;
}

void QtSaverPlatform::cover_other_screens(SaverWidget* widget) {
    // The animation plays on the primary monitor; every other one goes black, so that no
    // desktop shows beside a saver that may stand for a locked screen.
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen == QGuiApplication::primaryScreen()) continue;
        auto* cover = new SaverWidget(widget->owner(), widget);
        cover->setWindowFlags(FULL_SCREEN_FLAGS);
        cover->setScreen(screen);
        cover->setGeometry(screen->geometry());
        cover->showFullScreen();
        covers_.push_back(cover);
    }
}

void QtSaverPlatform::keep_input_grabbed() {
    // The grab needs the window on the screen, and another client may hold the input for a
    // moment: try again until it holds.
    if (!grab_pending_ || widget_ == nullptr) return;
    if (grab_check_.isValid() && grab_check_.elapsed() < 50) return;
    grab_check_.start();
    if (!widget_->windowHandle() || !widget_->windowHandle()->isExposed()) return;
    if (grab_input(xcb_window_t(widget_->winId()))) grab_pending_ = false;
}

void QtSaverPlatform::client_size(WindowHandle window, int32_t* width, int32_t* height) {
    SaverWidget* widget = widget_of(window);
    *width = widget != nullptr ? widget->width() : 0;
    *height = widget != nullptr ? widget->height() : 0;
}

void QtSaverPlatform::post_close(WindowHandle window) {
    QPointer<SaverWidget> target = widget_of(window);
    QMetaObject::invokeMethod(
        qApp,
        [target, window] {
            if (target != nullptr) target->owner()->handle_message(window, SAVER_MSG_CLOSE, 0, 0);
        },
        Qt::QueuedConnection);
}

void QtSaverPlatform::post_quit(int code) {
    quit_ = true;
    quit_code_ = code;
}

intptr_t QtSaverPlatform::default_handling(WindowHandle, uint32_t, uintptr_t, intptr_t) {
    return 0;
}

PaintContext QtSaverPlatform::begin_paint(WindowHandle window) {
    SaverWidget* widget = widget_of(window);
    if (widget == nullptr) return PaintContext{};
    return PaintContext{new QPainter(widget), widget};
}

void QtSaverPlatform::end_paint(WindowHandle, const PaintContext& paint) {
    delete static_cast<QPainter*>(paint.device);
}

bool QtSaverPlatform::host_is_gone() {
    // Qt does not tell a child when its foreign parent goes; ask the X server now and then.
    // Drawing on the root window, the timer never runs: the root window does not go.
    if (host_ == NO_WINDOW || !host_check_.isValid() || host_check_.elapsed() < 200) return false;
    host_check_.restart();
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr) return false;
    xcb_connection_t* connection = x11->connection();
    xcb_generic_error_t* error = nullptr;
    xcb_get_window_attributes_reply_t* reply = xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, xcb_window_t(host_)), &error);
    std::free(reply);
    const bool gone = error != nullptr;
    std::free(error);
    return gone;
}

MessageStep QtSaverPlatform::take_message(int* quit_code) {
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    const bool processed = dispatcher->processEvents(QEventLoop::AllEvents);
    if (widget_ != nullptr && host_is_gone()) destroy_window(widget_->handle());
    keep_input_grabbed();
    if (quit_) {
        quit_ = false;
        *quit_code = quit_code_;
        return MessageStep::QUIT;
    }
    return processed ? MessageStep::DISPATCHED : MessageStep::NONE;
}

void QtSaverPlatform::wait_message_for(uint32_t milliseconds) {
    // Gives the processor back until the next frame is due or an event comes; wakes early while
    // the grab or the host still need looking at.
    const uint32_t wait =
        grab_pending_ || host_ != NO_WINDOW ? std::min<uint32_t>(milliseconds, 50) : milliseconds;
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    wake.start(int(std::min<uint32_t>(wait, 0x7FFFFFFF)));
    QAbstractEventDispatcher::instance()->processEvents(QEventLoop::WaitForMoreEvents);
}

void QtSaverPlatform::wait_message() {
    QAbstractEventDispatcher::instance()->processEvents(QEventLoop::WaitForMoreEvents);
}

uint32_t QtSaverPlatform::now_ms() { return static_cast<uint32_t>(clock_.elapsed()); }

ScreenPoint QtSaverPlatform::cursor_position() {
    const QPoint position = QCursor::pos();
    return ScreenPoint{position.x(), position.y()};
}

void QtSaverPlatform::show_cursor(bool visible) {
    if (!visible) {
        QGuiApplication::setOverrideCursor(Qt::BlankCursor);
        ++hidden_cursor_;
    } else if (hidden_cursor_ > 0) {
        QGuiApplication::restoreOverrideCursor();
        --hidden_cursor_;
    }
}

int QtSaverPlatform::password_prompt(WindowHandle owner) {
    // The grab stays while the prompt is open: it reports to the prompt, a window of this
    // program, and keeps the window manager's keys and every other program out.
    if (!lock_) return 1;
    return run_password_prompt(owner, settings_);
}

void QtSaverPlatform::show_error(WindowHandle owner, const char* text, const char* caption) {
    if (errors_to_stderr_) {
        const QByteArray line =
            (sjis_to_qstring(caption) + QStringLiteral(": ") + sjis_to_qstring(text)).toUtf8();
        std::fprintf(stderr, "mepusaver: %s\n", line.constData());
        return;
    }
    show_saver_message(owner, text, caption, SaverMessageIcon::ERROR);
}

bool QtSaverPlatform::create_picture(WindowHandle window, SaverPicture* picture) {
    SaverWidget* widget = widget_of(window);
    if (widget == nullptr) return false;
    auto* image = new QImage(PICTURE_WIDTH, PICTURE_HEIGHT, QImage::Format_Indexed8);
    if (image->isNull() || image->bytesPerLine() != PICTURE_WIDTH) {
        delete image;
        return false;
    }
    image->setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    picture->bits = image->bits();
    picture->native = image;
    widget->picture = image;
    return true;
}

void QtSaverPlatform::present_picture(WindowHandle window, const SaverPicture& picture,
                                      const PaintContext* paint, int32_t width, int32_t height) {
    SaverWidget* widget = widget_of(window);
    if (widget == nullptr) return;
    if (paint == nullptr) {
        // Drawing happens in the paint that follows, as Qt wants it.
        widget->repaint();
        return;
    }
    auto* painter = static_cast<QPainter*>(paint->device);
    const auto* image = static_cast<const QImage*>(picture.native);
    // The picture is bottom row first; the screen wants the top row first. Turned into the
    // screen's pixel format at its own small size, so that the stretch runs on Qt's fast path.
    if (shown_.size() != image->size()) shown_ = QImage(image->size(), QImage::Format_RGB32);
    const int rows = image->height();
    for (int row = 0; row < rows; ++row) {
        const uint8_t* source = image->constScanLine(rows - 1 - row);
        auto* target = reinterpret_cast<QRgb*>(shown_.scanLine(row));
        for (int x = 0; x < image->width(); ++x) {
            target[x] = source[x] == 0 ? 0xFF000000u : 0xFFFFFFFFu;
        }
    }
    painter->drawImage(QRect(0, 0, width, height), shown_);
}

void QtSaverPlatform::release_picture(SaverPicture* picture) {
    if (widget_ != nullptr && widget_->picture == picture->native) widget_->picture = nullptr;
    delete static_cast<QImage*>(picture->native);
    picture->native = nullptr;
    picture->bits = nullptr;
}
