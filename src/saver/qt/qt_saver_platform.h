// The saver's window system on Qt: a widget per saver window (full screen, or inside a foreign
// X11 window for the preview), the message loop over Qt's event dispatcher and the picture as an
// indexed QImage.
#pragma once

#include "saver/core/saver_platform.h"
#include "saver/core/settings_store.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPointer>
#include <QWidget>

#include <vector>

class SaverWidget;

// The root window of the display's first screen.
WindowHandle x11_root_window();

class QtSaverPlatform : public SaverPlatform {
public:
    // errors_to_stderr: for a screen-saver host, whose screen must not get message boxes.
    QtSaverPlatform(SettingsStore& settings, bool errors_to_stderr);
    // Where the session cannot be locked: input ends the saver without asking for the password.
    void play_without_lock() { lock_ = false; }

    bool register_window_class(const char* class_name) override;
    WindowHandle create_window(SaverWindow* owner, const char* class_name,
                               WindowHandle host) override;
    void destroy_window(WindowHandle window) override;
    void show_window(WindowHandle window) override;
    void client_size(WindowHandle window, int32_t* width, int32_t* height) override;
    void post_close(WindowHandle window) override;
    void post_quit(int code) override;
    intptr_t default_handling(WindowHandle window, uint32_t message, uintptr_t first,
                              intptr_t second) override;
    PaintContext begin_paint(WindowHandle window) override;
    void end_paint(WindowHandle window, const PaintContext& paint) override;
    MessageStep take_message(int* quit_code) override;
    void wait_message() override;
    void wait_message_for(uint32_t milliseconds) override;
    uint32_t now_ms() override;
    ScreenPoint cursor_position() override;
    void show_cursor(bool visible) override;
    int password_prompt(WindowHandle owner) override;
    void show_error(WindowHandle owner, const char* text, const char* caption) override;
    bool create_picture(WindowHandle window, SaverPicture* picture) override;
    void present_picture(WindowHandle window, const SaverPicture& picture,
                         const PaintContext* paint, int32_t width, int32_t height) override;
    void release_picture(SaverPicture* picture) override;

private:
    SaverWidget* widget_of(WindowHandle window) const;
    bool host_is_gone();
    void keep_input_grabbed();
    void cover_other_screens(SaverWidget* widget);

    SettingsStore& settings_;
    QPointer<SaverWidget> widget_;
    std::vector<QPointer<SaverWidget>> covers_;  // black on the monitors beside the primary
    WindowHandle host_ = NO_WINDOW;
    QElapsedTimer host_check_;
    QElapsedTimer clock_;
    bool quit_ = false;
    int quit_code_ = 0;
    int hidden_cursor_ = 0;
    bool errors_to_stderr_ = false;
    bool lock_ = true;
    bool grab_pending_ = false;  // a full-screen window still waits for its input grab
    QElapsedTimer grab_check_;
    QImage shown_;  // the picture top row first, in the screen's format
};

// The widget of one saver window: turns Qt's events into the saver's messages.
class SaverWidget : public QWidget {
public:
    // A widget that covers for another paints black and passes its input on as the other's.
    explicit SaverWidget(SaverWindow* owner, const SaverWidget* covers_for = nullptr);
    WindowHandle handle() const { return reinterpret_cast<WindowHandle>(this); }
    SaverWindow* owner() const { return owner_; }
    // The picture shown on every paint, bottom row first; null draws black.
    const QImage* picture = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void send(uint32_t message);
    SaverWindow* owner_;
    const SaverWidget* covers_for_;
};
