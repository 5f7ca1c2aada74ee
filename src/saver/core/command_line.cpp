#include "saver/core/command_line.h"

#include <cerrno>
#include <cstdlib>

namespace {

constexpr char SWITCH_LETTERS[] = {'s', 'p', 'c', 'a'};

SaverMode mode_of_switch(const char* arg) {
    if (arg[0] != '-' && arg[0] != '/') return SAVER_MODE_OTHER;
    const char letter = arg[1];
    for (int i = 0; i < 4; ++i) {
        const char table = SWITCH_LETTERS[i];
        if (letter == table || letter == table - 32) return static_cast<SaverMode>(i);
    }
    return SAVER_MODE_OTHER;
}

// A decimal window handle as the C library reads it; a number too large for a handle or no number
// at all counts as no window rather than wrapping into some other window's handle.
intptr_t read_window_handle(const char* text) {
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(text, &end, 10);
    if (end == text || errno == ERANGE) return 0;
    if (value < INTPTR_MIN || value > INTPTR_MAX) return 0;
    return static_cast<intptr_t>(value);
}

}  // namespace

SaverCommand parse_command_line(int count, const char* const* args) {
    SaverCommand command;
    if (count < 1 || args[0] == nullptr) return command;
    command.mode = mode_of_switch(args[0]);
    switch (command.mode) {
    case SAVER_MODE_PREVIEW:
    case SAVER_MODE_CHANGE_PASSWORD:
        if (count >= 2 && args[1] != nullptr) {
            command.window = read_window_handle(args[1]);
            if (command.window != 0) command.window_source = WindowSource::ARGUMENT;
        }
        break;
    case SAVER_MODE_SETTINGS:
    case SAVER_MODE_OTHER:
        command.window_source = WindowSource::FOREGROUND;
        break;
    case SAVER_MODE_FULL_SCREEN:
        break;
    }
    return command;
}
