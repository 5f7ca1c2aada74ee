// In-process use of the scripted host by unit tests, without an application thread: the test's
// own thread calls the editor code, which calls the host operations of this backend.
//
// Answers are queued per kind and taken in order as dialogs of that kind open; a dialog that opens
// with its queue empty is cancelled (a box with only OK is closed with OK, a Yes/No box with No).
// Every message box, dialog and answer is recorded as one UTF-8 line (see script_host_messages).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/common/pointer_state.h"
#include "host/host.h"

// A fresh host: empty queues and log, pointer at (0, 0) with no button held, client area
// 320 x 240, no canvas yet (create_screen makes it), clock at 0, palette store closed, text
// window cleared, command log empty, no command-line file, system folder unset (then
// windows_directory gives the Linux place).
void script_host_reset();

// Answer queues.
void script_host_queue_answer(MessageAnswer answer);
void script_host_queue_value(int value);
void script_host_queue_value_cancel();
void script_host_queue_string(const char* text);  // Shift-JIS bytes, as the editor gets them
void script_host_queue_string_cancel();
void script_host_queue_file(const char* path);
void script_host_queue_file_cancel();

// Every line recorded since the reset, oldest first, UTF-8. The formats:
//   box <ok|yes_no|retry_cancel> <none|error|exclamation|information> "<title>" "<text>" -> <answer>
//   value <minimum>..<maximum> start <value> -> <value>|cancel
//   string "<start text>" -> "<text>"|cancel
//   open "<title>" <pattern> -> <path>|cancel
//   save "<title>" <pattern> -> <path>|cancel
// A line break inside a text is written as \n (and a carriage return as \r).
const std::vector<std::string>& script_host_messages();

// The pointer (canvas pixels at 1x) and the buttons, as the window procedures would set them.
void script_host_move(int x, int y);
void script_host_press(PointerButton button);
void script_host_release(PointerButton button);

// What the text window shows now: one UTF-8 line per character row, trailing blanks removed,
// each ending in "\n".
std::string script_host_text();
// The text window's character grid: columns and rows of the fixed 8 x 16 cell font.
constexpr int SCRIPT_TEXT_COLUMNS = 75;
constexpr int SCRIPT_TEXT_ROWS = 10;
constexpr int SCRIPT_CHAR_WIDTH = 8;
constexpr int SCRIPT_CHAR_HEIGHT = 16;
constexpr int SCRIPT_LINE_START_X = 3;

// The virtual clock in milliseconds (each tick_count call advances it by 1 ms first).
uint32_t script_host_clock();
// The folder windows_directory gives (null: back to the Linux place).
void script_host_set_system_dir(const char* folder);
// The folder user_config_directory gives, as the application-data folder does on Windows (null:
// none, as on Linux).
void script_host_set_user_config_dir(const char* folder);
// Sets the command-line file by the command-line rule (null: none).
void script_host_set_command_line(const char* command_line);
// True once request_exit has been called.
bool script_host_exit_requested();
// The number of present_screen calls since the reset.
int script_host_present_count();

// Converts Shift-JIS bytes to UTF-8 (undecodable bytes become '?').
std::string sjis_to_utf8(const std::string& bytes);
// Converts UTF-8 to Shift-JIS; false when the text has no Shift-JIS form.
bool utf8_to_sjis(const std::string& text, std::string* bytes);
