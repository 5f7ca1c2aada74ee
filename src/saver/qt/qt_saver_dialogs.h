// The saver's dialogs in Qt: the password prompt, the change-password dialog, the settings file
// dialog and its message boxes, laid out after the dialog templates of the Windows build.
#pragma once

#include "saver/core/saver_platform.h"
#include "saver/core/settings_store.h"

#include <string>

class QWidget;

enum class SaverMessageIcon { ERROR, EXCLAMATION };

// `owner` is a saver widget, a foreign window's handle or NO_WINDOW.
void show_saver_message(WindowHandle owner, const char* text, const char* caption,
                        SaverMessageIcon icon);
// 1 when the right password was entered, 2 when cancelled.
int run_password_prompt(WindowHandle owner, SettingsStore& settings);
void run_change_password(WindowHandle parent, SettingsStore& settings);
void run_choose_animation_file(WindowHandle owner, std::string* path);
