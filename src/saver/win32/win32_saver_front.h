// The Windows program's needs besides the saver window.
#pragma once

#include "saver/core/saver_program.h"

class Win32SaverFront : public SaverFront {
public:
    explicit Win32SaverFront(SettingsStore& settings) : settings_(settings) {}

    WindowHandle foreground_window() override;
    bool full_screen_saver_running(bool full_screen) override;
    void choose_animation_file(WindowHandle owner, std::string* path) override;
    void change_password_dialog(WindowHandle parent) override;
    void enable_input_method(WindowHandle window, bool enabled) override;

private:
    SettingsStore& settings_;
};
