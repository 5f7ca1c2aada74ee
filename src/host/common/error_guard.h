// The portable steps of the run-time error guard: what happens on the application thread after
// app_main has failed or returned (the same steps for either). How the failure is caught is each host's business.
#pragma once

// Writes the report mepu.erf in the current directory, or where that refuses it in the user's
// configuration folder, shows the boxes (naming where the report went), then announces and runs
// the emergency save (save_animation). The save is offered even when no report could be written:
// the user's animation matters more than the report. Runs on the application thread, which
// should end afterwards while the program stays up.
void run_error_guard();
