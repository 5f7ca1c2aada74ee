// The scripted host: runs the editor headless from a pointer script.
//
// Timing, all of it virtual so that a run is the same every time:
// - Each pointer command's state is held for POLLS_PER_STEP (8) polls (calls of read_pointer,
//   take_pointer or read_pointer_screen) before the next command applies; `wait N` holds the
//   current state N polls; dump commands run when their turn comes in that sequence.
// - tick_count advances the clock by exactly 1 ms per call and nothing else moves it, so a loop
//   waiting for a period of p ms ends exactly p ms later (at speed 7, 142 ms per frame), and a
//   loop that watches only the clock still makes progress.
// - After the last command the editor gets FINAL_POLLS (64) more polls, or FINAL_MILLISECONDS
//   (60 000 ms) more of the clock, whichever ends first; then the host ends the run inside that
//   very call, as its exit does. So an editor waiting for a click when the script is over is
//   stopped there, and free_app_data runs.
// - request_exit ends the run the same way at the editor's next host call.
// - When the application thread has ended after the error guard, the rest of the script runs
//   without polls (its dumps still write), then the run ends.
// Answers are not timed: see script_host_testing.h. The open dialog only accepts an existing file,
// the save dialog a path in an existing folder (".mpa" appended to a name without an extension;
// an existing file is replaced without asking); a path the dialog would not accept cancels it.
#pragma once

#include "host/host.h"

// mepu-script [--system-dir DIR] [--log] SCRIPT [ANIMATION]
// Reads the script (exit 2 with the line number on a script error, before anything runs), runs
// app_main on the application thread against the script, and after the last command ends the
// program as the host's exit does (stop the application thread, free_app_data). Returns the
// process's exit code: 0 after a run, 2 for a script or usage error. The program's main returns
// it.
int script_host_main(int argc, char** argv, const AppEntryPoints& app);
