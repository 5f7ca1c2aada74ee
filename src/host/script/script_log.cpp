#include <cstdio>

#include "host/script/script_state.h"

void script_log(const std::string& line) {
    ScriptHostState& state = script_state();
    std::lock_guard lock(state.mutex);
    state.messages.push_back(line);
    if (state.echo_log) {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
}
