// The base of a screen-saver window: its window, the input that ends it and the tick loop.
#pragma once

#include "saver/core/saver_platform.h"
#include "saver/core/settings_store.h"

#include <cstdint>
#include <string>

class SaverWindow {
public:
    SaverWindow(SaverPlatform& platform, SettingsStore& settings);
    virtual ~SaverWindow();
    SaverWindow(const SaverWindow&) = delete;
    SaverWindow& operator=(const SaverWindow&) = delete;

    // The five operations a derived saver may replace, in this order.
    virtual intptr_t handle_message(WindowHandle window, uint32_t message, uintptr_t first,
                                    intptr_t second);
    virtual bool on_create();
    virtual void on_timer();
    virtual void on_close();
    virtual void on_paint(const PaintContext& paint);

    // Makes the window: full screen when host is NO_WINDOW, else a preview inside host. class_name
    // null means the standard saver class. False when the class or the window cannot be made, or
    // when on_create fails.
    bool create(WindowHandle host, const char* class_name = nullptr);
    void destroy();
    void show();
    void set_interval(uint32_t milliseconds);
    // Dispatches messages and runs the ticks until the quit message; returns its code.
    int run();

    WindowHandle window() const { return window_; }
    bool is_preview() const { return host_ != NO_WINDOW; }
    bool password_is_required() const { return password_required_; }
    uint32_t interval() const { return interval_; }
    uint32_t next_tick() const { return next_tick_; }

protected:
    SaverPlatform& platform() { return platform_; }

private:
    void on_input();
    // Runs the password prompt when a password is required; true when the saver may end.
    bool password_lets_end();

    SaverPlatform& platform_;
    SettingsStore& settings_;
    std::string class_name_;
    WindowHandle window_ = NO_WINDOW;
    WindowHandle host_ = NO_WINDOW;
    bool password_required_ = false;
    bool close_posted_ = false;
    bool prompt_open_ = false;
    ScreenPoint reference_cursor_;
    uint32_t interval_ = 0;
    uint32_t next_tick_ = 0;
};
