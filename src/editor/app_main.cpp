#include "editor/app_main.h"

#include "editor/session/load_save.h"
#include "editor/session/startup.h"
#include "editor/command_codes.h"
#include "editor/commands.h"
#include "editor/editor_settings.h"
#include "editor/menu_loop.h"
#include "editor/stamps.h"
#include "host/common/command_log.h"
#include "host/host.h"

namespace {

// After request_exit the host stops this thread at its next host call; nothing else may happen.
[[noreturn]] void wait_for_host_end() {
    for (;;) tick_count();
}

void app_main() {
    reset_editor_settings();
    switch (start_editor()) {
        case StartupOutcome::stopped: wait_for_host_end();
        case StartupOutcome::play_command_line_file: dispatch_command(CMD_PLAY_LOOP); break;
        case StartupOutcome::menu_loop: break;
    }
    run_menu_loop();
}

void free_app_data() {
    release_animation_data();
    release_stamps();
    release_command_log();
    palette_close();
}

}  // namespace

AppEntryPoints editor_entry_points() { return {app_main, free_app_data, save_animation}; }
