// A small Win32 test driver: starts a program of the Windows build in a scratch folder, finds its
// windows and boxes, and works them through real window messages, as a user would.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/temp_folder.h"

// The Windows form (Z:\...) of a path of the build machine.
std::string windows_path(const std::string& unix_path);
// A new empty folder under the temporary folder, removed when the test program ends; returns its
// path without a trailing separator.
std::string make_scratch_folder(const char* prefix);
using test_support::read_file;
bool file_exists(const std::string& path);
// mepusys.ini in the Windows directory, which every test of the prefix shares.
std::string windows_editor_config();
// Writes it naming `program_folder` (ending in '\'); false when it cannot be written. A test that
// writes it removes it again (DeleteFileA(windows_editor_config().c_str())).
bool write_editor_config(const std::string& program_folder);

// Polls `done` every 20 ms until it holds or `timeout_ms` has passed.
bool wait_for(const std::function<bool()>& done, int timeout_ms = 20000);

class DrivenProgram {
public:
    DrivenProgram() = default;
    DrivenProgram(const DrivenProgram&) = delete;
    DrivenProgram& operator=(const DrivenProgram&) = delete;
    // Ends the program if it still runs.
    ~DrivenProgram();

    // Starts `exe` with `arguments` in `folder`; false when it cannot be started.
    bool start(const std::string& exe, const std::string& arguments, const std::string& folder);
    // A visible top-level window of this program with exactly this class (or any, when null) and
    // title (CP932), or null.
    HWND find_window(const char* class_name, const char* title) const;
    // Waits for such a window; null after the timeout.
    HWND wait_window(const char* class_name, const char* title, int timeout_ms = 20000) const;
    // Waits for the program to end; its exit code, or -1 after the timeout.
    long wait_exit(int timeout_ms = 20000);
    bool running() const;

    HWND main_window() const { return find_window("ZKI_main", "tarvolo Zelkon interface"); }
    HWND text_window() const {
        return find_window("ZKI_textout", "tarvolo Zelkon interface -text out-");
    }

private:
    PROCESS_INFORMATION process_{};
};

// Text of a control of a dialog or message box of another process.
std::string dialog_item_text(HWND dialog, int id);
// The message text of a message box.
std::string message_box_text(HWND box);
// Presses a button of a dialog or box as a click would.
void press_button(HWND dialog, int id);
// Sends a host-menu command to a window.
void send_menu_command(HWND window, int id);
SIZE client_size(HWND window);

// Clicks with the left (or right) button at canvas pixel (x, y) of the main window shown at 1x:
// the pointer is moved there, the button goes down, is held for a few polls and goes up.
void click_canvas(HWND main_window, int x, int y, bool right = false);
// The same click with press and release both handled while the editor's application thread is
// held, as a quick click or a touchpad tap between two of its polls.
void quick_click_canvas(HWND main_window, int x, int y, bool right = false);
// Moves the pointer to canvas pixel (x, y) and lets the program see it.
void move_canvas(HWND main_window, int x, int y);
void button_down(HWND main_window, int x, int y, bool right = false);
void button_up(HWND main_window, int x, int y, bool right = false);
