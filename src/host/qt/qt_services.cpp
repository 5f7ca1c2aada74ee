// Platform services of the Qt host: the clock, the folder standing for the Windows directory,
// the path separator, the main window's size and the end requested by the application.
#include <chrono>
#include <thread>

#include "host/common/app_gate.h"
#include "host/common/system_dir_posix.h"
#include "host/host.h"
#include "host/qt/qt_gui_call.h"
#include "host/qt/qt_host_state.h"
#include "host/qt/qt_main_window.h"
#include "host/qt/qt_program_end.h"

uint32_t tick_count() {
    app_gate_pass();
    // Playback polls the clock in a loop; sleeping a moment here keeps it off the processor.
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const auto since_start = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since_start).count());
}

int windows_directory(char* buffer, int capacity) {
    return linux_windows_directory(buffer, capacity);
}

int user_config_directory(char*, int, bool) {
    // The configuration folder on Linux is the user's own already.
    return -1;
}

char path_separator() { return '/'; }

void resize_main_window(int width, int height) {
    app_gate_pass();
    run_on_gui([width, height] {
        if (!app_gate_ending()) qt_host().main_window->resize_client(width, height);
    });
}

void request_exit() {
    // The application thread goes on to its next host call, where the gate stops it.
    post_to_gui([] { end_program(); });
}
