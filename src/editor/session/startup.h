// The start-up half of the editor's main routine: palette, memory, configuration file, menu
// images, welcome text, and what to do next.
#pragma once

enum class StartupOutcome {
    // Go on to the menu loop.
    menu_loop,
    // The command-line file has been loaded: play it in a loop (command 45), then the menu loop.
    play_command_line_file,
    // request_exit has been called: the caller must touch nothing more and only wait for the host
    // to stop the thread.
    stopped,
};

StartupOutcome start_editor();

// Folder length the configuration file may name: the program folder buffer holds 1024 bytes with
// the longest image name appended.
constexpr int PROGRAM_FOLDER_CAPACITY = 1024;

// The first-run dialogue: asks for the program file, checks its folder for the menu images and
// writes the configuration file at config_path.
enum class SetupResult {
    written,
    // The file could not be created (the user has been told).
    not_written,
    // The user gave up; request_exit has been called.
    exit_requested,
};
SetupResult first_run_setup(const char* config_path);

// Releases what start-up allocated: frames, frame table, undo frame and menu images.
void release_animation_data();
