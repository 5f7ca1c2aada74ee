// The saver's command line: which of its four jobs to do and for which window.
#pragma once

#include <cstdint>

enum SaverMode : int32_t {
    SAVER_MODE_OTHER = -1,  // an unknown switch: the settings
    SAVER_MODE_FULL_SCREEN = 0,
    SAVER_MODE_PREVIEW = 1,
    SAVER_MODE_SETTINGS = 2,
    SAVER_MODE_CHANGE_PASSWORD = 3,
};

// Where the window that goes with the mode comes from.
enum class WindowSource {
    NONE,        // no window
    ARGUMENT,    // the number after the switch
    FOREGROUND,  // the current foreground window, looked up by the front
};

struct SaverCommand {
    SaverMode mode = SAVER_MODE_SETTINGS;
    WindowSource window_source = WindowSource::NONE;
    intptr_t window = 0;  // meaningful for WindowSource::ARGUMENT; 0 is no window
    // Played for a screen-saver host, which owns input and locking: the saver only draws, into
    // `window`, until the host ends it.
    bool hosted = false;
};

// How the number after -p and -a is written: Windows passes decimal handles, X11 tools print
// window ids in hex.
enum class WindowNumbers { DECIMAL, DECIMAL_OR_HEX };

// args are the arguments after the program name.
SaverCommand parse_command_line(int count, const char* const* args,
                                WindowNumbers numbers = WindowNumbers::DECIMAL);

// The switches of an X11 screen-saver host, looked for before the saver's own: "-root" draws into
// the window named by `host_window_variable` (the value of XSCREENSAVER_WINDOW, null when unset)
// or else `root_window`; "-window-id ID" draws into ID. Either also with two dashes, as the host
// passes them. Ids are decimal or 0x hex. False when
// neither switch is there. A missing or unreadable ID after -window-id gives window 0.
bool parse_hosted_command_line(int count, const char* const* args, const char* host_window_variable,
                               intptr_t root_window, SaverCommand* command);

// Whether the arguments ask for the list of switches (--help).
bool asks_for_help(int count, const char* const* args);
