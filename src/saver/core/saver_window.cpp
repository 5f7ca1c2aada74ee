#include "saver/core/saver_window.h"

#include "saver/core/saver_settings.h"
#include "saver/core/saver_texts.h"

SaverWindow::SaverWindow(SaverPlatform& platform, SettingsStore& settings)
    : platform_(platform), settings_(settings) {}

SaverWindow::~SaverWindow() { destroy(); }

intptr_t SaverWindow::handle_message(WindowHandle window, uint32_t message, uintptr_t first,
                                     intptr_t second) {
    switch (message) {
        case SAVER_MSG_DESTROY:
            window_ = NO_WINDOW;
            platform_.post_quit(0);
            return 0;
        case SAVER_MSG_PAINT: {
            const PaintContext paint = platform_.begin_paint(window);
            on_paint(paint);
            platform_.end_paint(window, paint);
            return 0;
        }
        case SAVER_MSG_CLOSE:
            // A close asked for from outside (the window manager, Alt+F4) goes through the same
            // password as any other input; the saver's own close has passed it already.
            if (!close_posted_ && !is_preview() && !password_lets_end()) return 0;
            on_close();
            platform_.destroy_window(window);
            return 0;
        case SAVER_MSG_MOUSE_MOVE:
            // Any change of the cursor position counts, a single pixel too.
            if (platform_.cursor_position() != reference_cursor_) on_input();
            return 0;
        case SAVER_MSG_KEY_DOWN:
        case SAVER_MSG_LEFT_BUTTON_DOWN:
        case SAVER_MSG_RIGHT_BUTTON_DOWN: on_input(); return 0;
        default: return platform_.default_handling(window, message, first, second);
    }
}

void SaverWindow::on_input() {
    // Input that arrives after the close was asked for must not open the prompt again.
    if (is_preview() || window_ == NO_WINDOW || close_posted_) return;
    if (!password_lets_end()) return;
    close_posted_ = true;
    platform_.post_close(window_);
}

bool SaverWindow::password_lets_end() {
    if (!password_required_) return true;
    // A second request while the prompt is open waits for the prompt's answer.
    if (prompt_open_) return false;
    prompt_open_ = true;
    platform_.show_cursor(true);
    const int result = platform_.password_prompt(window_);
    platform_.show_cursor(false);
    prompt_open_ = false;
    if (result == 1) return true;
    reference_cursor_ = platform_.cursor_position();
    return false;
}

bool SaverWindow::on_create() { return true; }
void SaverWindow::on_timer() {}
void SaverWindow::on_close() {}
void SaverWindow::on_paint(const PaintContext&) {}

bool SaverWindow::create(WindowHandle host, const char* class_name) {
    destroy();
    host_ = host;
    close_posted_ = false;
    class_name_ = class_name != nullptr ? class_name : SAVER_CLASS_NAME;
    if (!platform_.register_window_class(class_name_.c_str())) return false;
    window_ = platform_.create_window(this, class_name_.c_str(), host_);
    if (window_ == NO_WINDOW) return false;
    password_required_ = !is_preview() && password_required(settings_);
    reference_cursor_ = platform_.cursor_position();
    return on_create();
}

void SaverWindow::destroy() {
    if (window_ != NO_WINDOW) platform_.destroy_window(window_);
    window_ = NO_WINDOW;
}

void SaverWindow::show() {
    if (window_ != NO_WINDOW) platform_.show_window(window_);
}

void SaverWindow::set_interval(uint32_t milliseconds) {
    interval_ = milliseconds;
    next_tick_ = milliseconds == 0 ? 0 : platform_.now_ms() + milliseconds;
}

int SaverWindow::run() {
    for (;;) {
        int quit_code = 0;
        const MessageStep step = platform_.take_message(&quit_code);
        if (step == MessageStep::QUIT) return quit_code;
        if (step == MessageStep::DISPATCHED) continue;
        if (interval_ != 0) {
            const uint32_t now = platform_.now_ms();
            // Compared as a signed distance so that the timer wrapping round does not make
            // every poll a tick until it catches up.
            const auto time_left = static_cast<int32_t>(next_tick_ - now);
            if (time_left > 0) {
                // Sleeping until the frame is due, or until input comes, gives the processor back
                // without delaying either.
                platform_.wait_message_for(static_cast<uint32_t>(time_left));
                continue;
            }
            // Lateness is not made up: the next tick counts from now.
            next_tick_ = now + interval_;
            on_timer();
        } else {
            platform_.wait_message();
        }
    }
}
