#include "host/common/app_gate.h"
#include "host/common/palette_store.h"
#include "host/script/script_state.h"

const VirtualScreen& virtual_screen() { return script_state().screen; }

void resize_main_window(int width, int height) {
    app_gate_pass();
    ScriptHostState& state = script_state();
    std::lock_guard lock(state.mutex);
    state.client_width = width < 0 ? 0 : width;
    state.client_height = height < 0 ? 0 : height;
}

void load_system_colors() {
    app_gate_pass();
    store_fixed_system_colors();
}

// There is no platform palette: the store alone defines the colours.
void build_palette() { app_gate_pass(); }

void create_screen() {
    app_gate_pass();
    ScriptHostState& state = script_state();
    if (state.screen.bits == nullptr) {
        state.canvas.fill(0);
        state.screen.bits = state.canvas.data();
    }
    present_screen();
}

void present_screen() {
    app_gate_pass();
    ++script_state().present_count;
}

void feedback_begin(int /*pen_color*/) { app_gate_pass(); }

void feedback_move_to(int /*x*/, int /*y*/) { app_gate_pass(); }

void feedback_line_to(int /*x*/, int /*y*/) { app_gate_pass(); }

void feedback_end() { app_gate_pass(); }

void activate_text_window() { app_gate_pass(); }
