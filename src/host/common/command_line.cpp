#include "host/common/command_line.h"

#include <cstring>

#include "host/host.h"

CommandLineFile& command_line_state() {
    static CommandLineFile file;
    return file;
}

void set_command_line(const char* command_line) {
    CommandLineFile& file = command_line_state();
    file.name.clear();
    file.present = false;
    if (command_line == nullptr) return;
    std::string name(command_line, std::strlen(command_line));
    if (!name.empty() && name.front() == '"') {
        name.erase(0, 1);
        if (!name.empty() && name.back() == '"') name.pop_back();
    }
    if (name.empty()) return;
    file.name = std::move(name);
    file.present = true;
}

const char* command_line_file() {
    const CommandLineFile& file = command_line_state();
    return file.present ? file.name.c_str() : nullptr;
}
