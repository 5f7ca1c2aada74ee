#include <cstring>

#include <sys/stat.h>

#include "host/common/app_gate.h"
#include "host/common/system_dir_posix.h"
#include "host/script/script_state.h"

// One virtual millisecond passes per call, so a loop waiting for a period of p milliseconds
// sees exactly p more and never overshoots.
uint32_t tick_count() {
    app_gate_pass();
    script_note_tick();
    ScriptHostState& state = script_state();
    std::lock_guard lock(state.mutex);
    return ++state.clock;
}

int windows_directory(char* buffer, int capacity) {
    app_gate_pass();
    const std::string folder = script_state().system_dir;
    if (folder.empty()) return linux_windows_directory(buffer, capacity);
    return copy_directory_name(folder.c_str(), buffer, capacity);
}

int user_config_directory(char* buffer, int capacity, bool create) {
    app_gate_pass();
    const std::string folder = script_state().user_config_dir;
    if (folder.empty()) return -1;
    if (create) mkdir(folder.c_str(), 0777);
    return copy_directory_name(folder.c_str(), buffer, capacity);
}

char path_separator() { return '/'; }

void request_exit() {
    ScriptHostState& state = script_state();
    {
        std::lock_guard lock(state.mutex);
        state.exit_requested = true;
        state.end_wanted = true;
        state.changed.notify_all();
    }
    app_gate_end();
}
