#include "saver/core/command_line.h"

#include <cerrno>
#include <cstdlib>
#include <string_view>

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

// A window handle as the C library reads it; a number too large for a handle or no number at all
// counts as no window rather than wrapping into some other window's handle.
intptr_t read_window_handle(const char* text, WindowNumbers numbers) {
    errno = 0;
    char* end = nullptr;
    // Base 0 would also read a leading 0 as octal, which no tool means by a window id.
    const char* digits = text;
    while (*digits == ' ' || (*digits >= '\t' && *digits <= '\r')) ++digits;
    const bool hex = numbers == WindowNumbers::DECIMAL_OR_HEX && digits[0] == '0' &&
                     (digits[1] == 'x' || digits[1] == 'X');
    const long long value = std::strtoll(text, &end, hex ? 16 : 10);
    if (end == text || errno == ERANGE) return 0;
    if (value < INTPTR_MIN || value > INTPTR_MAX) return 0;
    return static_cast<intptr_t>(value);
}

}  // namespace

SaverCommand parse_command_line(int count, const char* const* args, WindowNumbers numbers) {
    SaverCommand command;
    if (count < 1 || args[0] == nullptr) return command;
    command.mode = mode_of_switch(args[0]);
    switch (command.mode) {
        case SAVER_MODE_PREVIEW:
        case SAVER_MODE_CHANGE_PASSWORD:
            if (count >= 2 && args[1] != nullptr) {
                command.window = read_window_handle(args[1], numbers);
                if (command.window != 0) command.window_source = WindowSource::ARGUMENT;
            }
            break;
        case SAVER_MODE_SETTINGS:
        case SAVER_MODE_OTHER: command.window_source = WindowSource::FOREGROUND; break;
        case SAVER_MODE_FULL_SCREEN: break;
    }
    return command;
}

bool parse_hosted_command_line(int count, const char* const* args, const char* host_window_variable,
                               intptr_t root_window, SaverCommand* command) {
    for (int i = 0; i < count; ++i) {
        std::string_view arg = args[i] != nullptr ? args[i] : "";
        // The host may pass its hacks' switches with two dashes.
        if (arg.starts_with("--")) arg.remove_prefix(1);
        intptr_t window = 0;
        if (arg == "-root") {
            if (host_window_variable != nullptr) {
                window = read_window_handle(host_window_variable, WindowNumbers::DECIMAL_OR_HEX);
            }
            if (window == 0) window = root_window;
        } else if (arg == "-window-id") {
            if (i + 1 < count && args[i + 1] != nullptr) {
                window = read_window_handle(args[i + 1], WindowNumbers::DECIMAL_OR_HEX);
            }
        } else {
            continue;
        }
        *command = SaverCommand{};
        command->mode = SAVER_MODE_PREVIEW;
        command->window_source = WindowSource::ARGUMENT;
        command->window = window;
        command->hosted = true;
        return true;
    }
    return false;
}

bool asks_for_help(int count, const char* const* args) {
    for (int i = 0; i < count; ++i) {
        if (args[i] != nullptr && std::string_view(args[i]) == "--help") return true;
    }
    return false;
}
