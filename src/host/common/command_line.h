// The start-up file named on the command line (host.h's command_line_file).
#pragma once

#include <string>

// Storage behind command_line_file(): `present` is false when the command line named no file.
struct CommandLineFile {
    std::string name;
    bool present = false;
};
CommandLineFile& command_line_state();

// Applies the command-line rule and stores the result: one pair of surrounding double quotes is
// removed; a null or empty command line (also "" alone) names no file. A leading quote without a
// closing one is dropped alone, so the name keeps its last character. Call once at start-up,
// before the application thread starts.
void set_command_line(const char* command_line);
