// Pausing and stopping the application thread from the GUI thread.
//
// Suspending or terminating a thread at an arbitrary point can leave it holding a lock of the
// heap, GDI or USER that the GUI thread needs next (the pause notice, free_app_data), which
// deadlocks the program. So the thread is first asked to stop in the application gate, at its
// next host call, where it holds nothing; only when that does not come soon (a long computation,
// or a modal dialog running on the thread) is it suspended or terminated where it is.
#pragma once

enum class HoldResult { held, suspended, failed };
// Stops the application thread until release_app_thread.
HoldResult hold_app_thread();
// Lets the thread go on; false when a suspended thread could not be resumed.
bool release_app_thread(HoldResult how);
// Ends the application thread for good (the end of the program).
void stop_app_thread();
