#include "saver/win32/win32_saver_front.h"

#include "saver/core/saver_texts.h"
#include "saver/win32/saver_dialogs.h"
#include "saver/win32/win32_saver_platform.h"

#include <winnls32.h>

WindowHandle Win32SaverFront::foreground_window() { return handle_of(GetForegroundWindow()); }

bool Win32SaverFront::full_screen_saver_running(bool) {
    // Only a full-screen saver window has a title; previews are untitled children.
    return FindWindowA(SAVER_CLASS_NAME, SAVER_CLASS_NAME) != nullptr;
}

void Win32SaverFront::choose_animation_file(WindowHandle owner, std::string* path) {
    run_choose_animation_file(hwnd_of(owner), path);
}

void Win32SaverFront::change_password_dialog(WindowHandle parent) {
    run_change_password(hwnd_of(parent), settings_);
}

void Win32SaverFront::enable_input_method(WindowHandle window, bool enabled) {
    WINNLSEnableIME(hwnd_of(window), enabled ? TRUE : FALSE);
}
