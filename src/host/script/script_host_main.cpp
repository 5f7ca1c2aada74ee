#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "host/common/app_entry.h"
#include "host/common/app_gate.h"
#include "host/common/app_thread_posix.h"
#include "host/common/command_line.h"
#include "host/script/script_host.h"
#include "host/script/script_state.h"

namespace {
constexpr int EXIT_SCRIPT_ERROR = 2;
// How long the host's exit waits for the application thread to reach a host call.
constexpr int STOP_TIMEOUT_MS = 10000;

struct Arguments {
    const char* system_dir = nullptr;
    bool log = false;
    const char* script = nullptr;
    const char* animation = nullptr;
};

bool parse_arguments(int argc, char** argv, Arguments* arguments) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--log") == 0) {
            arguments->log = true;
        } else if (std::strcmp(argv[i], "--system-dir") == 0 && i + 1 < argc) {
            arguments->system_dir = argv[++i];
        } else if (argv[i][0] == '-' && argv[i][1] == '-') {
            return false;
        } else if (arguments->script == nullptr) {
            arguments->script = argv[i];
        } else if (arguments->animation == nullptr) {
            arguments->animation = argv[i];
        } else {
            return false;
        }
    }
    return arguments->script != nullptr;
}

bool read_script(const char* path, Script* script) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "mepu-script: cannot read the script %s\n", path);
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    ScriptError error;
    if (!parse_script(text.str(), script, &error)) {
        std::fprintf(stderr, "%s:%d: %s\n", path, error.line, error.message.c_str());
        return false;
    }
    return true;
}

// Waits until the script is over, request_exit was called, or the application thread has gone
// (after the error guard); in that last case the rest of the script still runs, without polls.
void wait_for_the_end() {
    ScriptHostState& state = script_state();
    for (;;) {
        {
            std::unique_lock lock(state.mutex);
            if (state.changed.wait_for(lock, std::chrono::milliseconds(20),
                                       [&] { return state.end_wanted; })) {
                return;
            }
        }
        if (app_gate_wait_finished(0)) {
            script_run_remaining_steps();
            return;
        }
    }
}
}  // namespace

int script_host_main(int argc, char** argv, const AppEntryPoints& app) {
    set_app_entry_points(app);
    Arguments arguments;
    if (!parse_arguments(argc, argv, &arguments)) {
        std::fprintf(stderr, "usage: mepu-script [--system-dir DIR] [--log] SCRIPT [ANIMATION]\n");
        return EXIT_SCRIPT_ERROR;
    }
    script_host_reset();
    ScriptHostState& state = script_state();
    if (!read_script(arguments.script, &state.script)) return EXIT_SCRIPT_ERROR;
    state.running_script = true;
    state.echo_log = arguments.log;
    script_host_set_system_dir(arguments.system_dir);
    set_command_line(arguments.animation);

    if (!start_app_thread()) {
        message_box("スレッドを生成できませんでした。", " tarvolo Zel kon interface",
                    MessageButtons::ok, MessageIcon::error);
        request_exit();
    }
    wait_for_the_end();

    // The host's exit: stop the application thread for good, then release the editor's data.
    app_gate_end();
    if (!app_gate_wait_stopped(STOP_TIMEOUT_MS)) {
        std::fprintf(stderr, "mepu-script: the editor did not stop\n");
        std::fflush(nullptr);
        std::_Exit(EXIT_FAILURE);
    }
    app_entry_points().free_data();
    std::fflush(nullptr);
    return 0;
}
