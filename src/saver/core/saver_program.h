// The saver program from its command line to its end, over the window system of a front.
#pragma once

#include "saver/core/command_line.h"
#include "saver/core/saver_platform.h"
#include "saver/core/settings_store.h"

#include <string>

// What the program needs besides the saver window itself.
class SaverFront {
public:
    virtual ~SaverFront() = default;
    virtual WindowHandle foreground_window() = 0;
    // A full-screen saver is running already. A front that keeps a lock for it takes it here for
    // a full-screen run and holds it while the answer was false; a preview only looks.
    virtual bool full_screen_saver_running(bool full_screen) = 0;
    // The open-file dialog of the settings: `path` is the initial selection and receives the
    // choice; it stays unchanged when the user cancels.
    virtual void choose_animation_file(WindowHandle owner, std::string* path) = 0;
    // The modal change-password dialog; its OK runs change_password.
    virtual void change_password_dialog(WindowHandle parent) = 0;
    virtual void enable_input_method(WindowHandle window, bool enabled) = 0;
};

// Reads loadfile, lets the user choose a file and writes the path back, also when the user
// cancelled (the previous path, possibly empty, is written again). A new choice the store refuses
// is told to the user.
void show_settings(SaverFront& front, SaverPlatform& platform, SettingsStore& store,
                   WindowHandle owner);

// The whole program; the exit code is always 0.
int run_saver_program(const SaverCommand& command, SaverPlatform& platform, SaverFront& front,
                      SettingsStore& store);
