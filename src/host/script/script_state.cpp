#include "host/script/script_state.h"

#include "host/common/app_gate.h"
#include "host/common/command_line.h"
#include "host/common/command_log.h"
#include "host/common/pointer_state.h"
#include "raster/canvas.h"

ScriptHostState& script_state() {
    static ScriptHostState state;
    return state;
}

void script_host_reset() {
    ScriptHostState& state = script_state();
    {
        std::lock_guard lock(state.mutex);
        state.running_script = false;
        state.script = Script();
        state.next_step = 0;
        state.polls_held = 0;
        state.final_polls = FINAL_POLLS;
        state.final_milliseconds = FINAL_MILLISECONDS;
        state.end_wanted = false;
        state.echo_log = false;
        state.pointer_x = state.pointer_y = 0;
        state.client_width = CANVAS_WIDTH;
        state.client_height = CANVAS_HEIGHT;
        state.screen = VirtualScreen();
        state.canvas.fill(0);
        state.present_count = 0;
        state.clock = 0;
        state.messages.clear();
        state.system_dir.clear();
        state.user_config_dir.clear();
        state.exit_requested = false;
    }
    pointer_reset();
    palette_close();
    release_command_log();
    set_command_line(nullptr);
    app_gate_reset();
    attach_text_surface(&state.text);
    state.text.clear();
}

const std::vector<std::string>& script_host_messages() { return script_state().messages; }

uint32_t script_host_clock() { return script_state().clock; }

void script_host_set_system_dir(const char* folder) {
    script_state().system_dir = folder == nullptr ? "" : folder;
}

void script_host_set_user_config_dir(const char* folder) {
    script_state().user_config_dir = folder == nullptr ? "" : folder;
}

void script_host_set_command_line(const char* command_line) { set_command_line(command_line); }

bool script_host_exit_requested() {
    ScriptHostState& state = script_state();
    std::lock_guard lock(state.mutex);
    return state.exit_requested;
}

int script_host_present_count() { return script_state().present_count; }
