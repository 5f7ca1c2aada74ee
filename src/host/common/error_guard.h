// The portable steps of the run-time error guard: what happens on the application thread after
// app_main has failed or returned. How the failure is caught is each host's business.
#pragma once

enum class GuardCause { fault, returned };
enum class GuardOutcome {
    thread_ends,   // the application thread should end; the program stays up
    program_ends,  // after a fault the report could not be opened: end the program at once
};

// Opens mepu.erf in the current directory, shows the boxes, writes the report, announces and
// runs the emergency save (save_animation). When mepu.erf cannot be opened only the failure box
// is shown and nothing is saved. Runs on the application thread.
GuardOutcome run_error_guard(GuardCause cause);
