#include "saver/qt/qt_saver_platform.h"

#include <algorithm>

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
#include <QThread>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>

SaverWidget::SaverWidget(SaverWindow* owner) : owner_(owner) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void SaverWidget::send(uint32_t message) { owner_->handle_message(handle(), message, 0, 0); }

void SaverWidget::paintEvent(QPaintEvent*) { send(SAVER_MSG_PAINT); }

void SaverWidget::mouseMoveEvent(QMouseEvent*) { send(SAVER_MSG_MOUSE_MOVE); }

void SaverWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) send(SAVER_MSG_LEFT_BUTTON_DOWN);
    if (event->button() == Qt::RightButton) send(SAVER_MSG_RIGHT_BUTTON_DOWN);
}

void SaverWidget::keyPressEvent(QKeyEvent*) { send(SAVER_MSG_KEY_DOWN); }

void SaverWidget::closeEvent(QCloseEvent* event) {
    // The window manager's close goes the saver's own way (on_close, then destroy).
    event->ignore();
    send(SAVER_MSG_CLOSE);
}

namespace {

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

}  // namespace

QtSaverPlatform::QtSaverPlatform(SettingsStore& settings) : settings_(settings) {
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
    if (host == NO_WINDOW) {
        widget->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        widget->setWindowTitle(QString::fromLatin1(class_name));
        widget->setGeometry(QGuiApplication::primaryScreen()->geometry());
    } else {
        QSize host_size;
        QWindow* foreign = x11_window_size(host, &host_size) ? QWindow::fromWinId(WId(host))
                                                             : nullptr;
        if (foreign == nullptr) {
            delete widget;
            return NO_WINDOW;
        }
        widget->setWindowFlags(Qt::FramelessWindowHint);
        widget->winId();
        widget->windowHandle()->setParent(foreign);
        widget->setGeometry(QRect(QPoint(0, 0), host_size));
        host_check_.start();
    }
    return widget->handle();
}

void QtSaverPlatform::destroy_window(WindowHandle window) {
    SaverWidget* widget = widget_of(window);
    if (widget == nullptr) return;
    widget_ = nullptr;
    widget->owner()->handle_message(window, SAVER_MSG_DESTROY, 0, 0);
    widget->hide();
    widget->deleteLater();
}

void QtSaverPlatform::show_window(WindowHandle window) {
    SaverWidget* widget = widget_of(window);
    if (widget == nullptr) return;
    widget->show();
    widget->raise();
    if (host_ == NO_WINDOW) widget->activateWindow();
    widget->setFocus();
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
    if (host_ == NO_WINDOW || host_check_.elapsed() < 200) return false;
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
    const bool processed =
        QAbstractEventDispatcher::instance()->processEvents(QEventLoop::AllEvents);
    if (widget_ != nullptr && host_is_gone()) destroy_window(widget_->handle());
    if (quit_) {
        quit_ = false;
        *quit_code = quit_code_;
        return MessageStep::QUIT;
    }
    return processed ? MessageStep::DISPATCHED : MessageStep::NONE;
}

void QtSaverPlatform::wait_message_for(uint32_t milliseconds) {
    // The loop polls again after a short sleep, so that the window (and a host that went away)
    // is looked at often while the loop does not take a whole core.
    QThread::usleep(std::min<uint32_t>(milliseconds, 1) * 1000);
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
    return run_password_prompt(owner, settings_);
}

void QtSaverPlatform::show_error(WindowHandle owner, const char* text, const char* caption) {
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
    // The picture is bottom row first; the screen wants the top row first.
    painter->drawImage(QRect(0, 0, width, height), image->mirrored(false, true));
}

void QtSaverPlatform::release_picture(SaverPicture* picture) {
    if (widget_ != nullptr && widget_->picture == picture->native) widget_->picture = nullptr;
    delete static_cast<QImage*>(picture->native);
    picture->native = nullptr;
    picture->bits = nullptr;
}
