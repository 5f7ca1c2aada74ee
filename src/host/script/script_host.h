// The scripted host: runs the editor headless from a pointer script.
#pragma once

// mepu-script [--system-dir DIR] [--log] SCRIPT [ANIMATION]
// Reads the script (exit 2 with the line number on a script error, before anything runs), runs
// app_main on the application thread against the script, and after the last command ends the
// program as the host's exit does (stop the application thread, free_app_data). Returns the
// process's exit code: 0 after a run, 2 for a script or usage error.
int script_host_main(int argc, char** argv);
