// The saver's dialogs on Windows.
#pragma once

#include "saver/core/settings_store.h"

#include <windows.h>

#include <string>

// 1 when the right password was entered, 2 when cancelled.
int run_password_prompt(HWND owner, SettingsStore& settings);
void run_change_password(HWND parent, SettingsStore& settings);
// The settings' open-file dialog; `path` is unchanged when nothing was chosen.
void run_choose_animation_file(HWND owner, std::string* path);
