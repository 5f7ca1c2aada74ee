// Running app_main on the application thread under the error guard, for the POSIX hosts.
//
// An escaping C++ exception, a return from app_main, or a crash signal (SIGSEGV, SIGFPE, SIGBUS,
// SIGILL) raised on the application thread runs the guard's steps on that thread; afterwards the
// thread ends and the program stays up. Crash signals are caught with a handler on an alternate
// signal stack that jumps back (siglongjmp) to the guard. Limits: the jump skips every destructor
// between app_main and the fault, and a fault inside the C library (for example inside malloc
// while it holds its lock) may leave it unusable, so the guard itself may then hang or fault; a
// second fault while the guard runs is not caught and ends the process as it normally would.
// Signals on other threads keep their previous handling.
#pragma once

// Starts the application thread (detached). False when it cannot be created.
bool start_app_thread();
