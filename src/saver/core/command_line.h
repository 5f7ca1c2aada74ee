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
};

// args are the arguments after the program name.
SaverCommand parse_command_line(int count, const char* const* args);
