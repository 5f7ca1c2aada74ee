#include <cerrno>
#include <cstdio>
#include <cstring>

#include "host/common/app_gate.h"
#include "host/common/pointer_state.h"
#include "host/script/script_state.h"

namespace {
void report_dump_failure(const ScriptStep& step, const char* why) {
    std::fprintf(stderr, "mepu-script: line %d: cannot write %s: %s\n", step.line,
                 step.path.c_str(), why);
}

void write_dump(const ScriptStep& step, const std::string& bytes) {
    std::FILE* file = std::fopen(step.path.c_str(), "wb");
    if (file == nullptr) {
        report_dump_failure(step, std::strerror(errno));
        return;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written) report_dump_failure(step, "write failed");
}

void dump_canvas(const ScriptStep& step, const ScriptHostState& state) {
    if (state.screen.bits == nullptr) {
        report_dump_failure(step, "the canvas does not exist yet");
        return;
    }
    write_dump(step,
               std::string(reinterpret_cast<const char*>(state.screen.bits), state.canvas.size()));
}

// Applies one step; returns how many polls its state is held.
int apply_step(const ScriptStep& step, ScriptHostState& state) {
    switch (step.kind) {
        case StepKind::move:
            state.pointer_x = step.x;
            state.pointer_y = step.y;
            return POLLS_PER_STEP;
        case StepKind::press: pointer_button_down(step.button); return POLLS_PER_STEP;
        case StepKind::release:
            pointer_button_up(step.button, state.pointer_x, state.pointer_y);
            return POLLS_PER_STEP;
        case StepKind::tap:
            pointer_button_down(step.button);
            pointer_button_up(step.button, state.pointer_x, state.pointer_y);
            return POLLS_PER_STEP;
        case StepKind::wait: return step.polls;
        case StepKind::dump_canvas: dump_canvas(step, state); return 0;
        case StepKind::dump_text: write_dump(step, script_host_text()); return 0;
    }
    return 0;
}

// With the state's mutex held.
void want_end(ScriptHostState& state) {
    if (state.end_wanted) return;
    state.end_wanted = true;
    state.changed.notify_all();
}

// Stops the application thread inside the call that ended the run, so nothing of the editor runs
// after the script.
void stop_here() {
    app_gate_end();
    app_gate_pass();
}
}  // namespace

void script_poll() {
    ScriptHostState& state = script_state();
    bool over = false;
    {
        std::lock_guard lock(state.mutex);
        if (!state.running_script || state.end_wanted) return;
        while (state.polls_held == 0 && state.next_step < state.script.steps.size()) {
            state.polls_held = apply_step(state.script.steps[state.next_step++], state);
        }
        if (state.polls_held > 0) {
            --state.polls_held;
        } else if (state.final_polls > 0) {
            --state.final_polls;
        } else {
            want_end(state);
            over = true;
        }
    }
    if (over) stop_here();
}

void script_run_remaining_steps() {
    ScriptHostState& state = script_state();
    std::lock_guard lock(state.mutex);
    while (state.next_step < state.script.steps.size()) {
        apply_step(state.script.steps[state.next_step++], state);
    }
    want_end(state);
}

void script_note_tick() {
    ScriptHostState& state = script_state();
    bool over = false;
    {
        std::lock_guard lock(state.mutex);
        if (!state.running_script || state.end_wanted) return;
        if (state.polls_held > 0 || state.next_step < state.script.steps.size()) return;
        if (state.final_milliseconds > 0) {
            --state.final_milliseconds;
        } else {
            want_end(state);
            over = true;
        }
    }
    if (over) stop_here();
}

void read_pointer_screen(int* x, int* y, int* right, int* left) {
    app_gate_pass();
    script_poll();
    ScriptHostState& state = script_state();
    std::lock_guard lock(state.mutex);
    *x = state.pointer_x;
    *y = state.pointer_y;
    pointer_poll_buttons(right, left);
}

void get_client_geometry(int* left, int* top, int* width, int* height) {
    app_gate_pass();
    ScriptHostState& state = script_state();
    std::lock_guard lock(state.mutex);
    *left = 0;
    *top = 0;
    *width = state.client_width;
    *height = state.client_height;
}

void script_host_move(int x, int y) {
    ScriptHostState& state = script_state();
    std::lock_guard lock(state.mutex);
    state.pointer_x = x;
    state.pointer_y = y;
}

void script_host_press(PointerButton button) { pointer_button_down(button); }

void script_host_release(PointerButton button) {
    ScriptHostState& state = script_state();
    std::lock_guard lock(state.mutex);
    pointer_button_up(button, state.pointer_x, state.pointer_y);
}
