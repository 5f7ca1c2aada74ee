// The Linux program's needs besides the saver window: the single-instance lock, the dialogs of
// the settings and of the password change, the input method.
#pragma once

#include "saver/core/saver_program.h"

#include <string>

class QtSaverFront : public SaverFront {
public:
    // hosted: played for a screen-saver host, which keeps one saver at a time itself.
    QtSaverFront(SettingsStore& settings, std::string lock_path, bool hosted);
    ~QtSaverFront() override;

    WindowHandle foreground_window() override;
    // True when another full-screen saver holds the lock; a full-screen run then takes it and
    // holds it until the program ends.
    bool full_screen_saver_running(bool full_screen) override;
    void choose_animation_file(WindowHandle owner, std::string* path) override;
    void change_password_dialog(WindowHandle parent) override;
    void enable_input_method(WindowHandle window, bool enabled) override;

private:
    SettingsStore& settings_;
    std::string lock_path_;
    bool hosted_ = false;
    int lock_fd_ = -1;
};

// $XDG_RUNTIME_DIR/mepusaver.lock, or the lock beside registry.ini when there is no runtime folder.
std::string default_saver_lock_path(const std::string& registry_path);
