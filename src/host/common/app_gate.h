// The application-thread gate of the portable hosts: pausing holds the application thread at its
// next host call, the end stops it at its next host call for good. Every host operation that runs
// on the application thread passes the gate first, so the thread is never stopped while it holds
// anything the GUI thread needs (the heap, a lock, a drawing surface).
#pragma once

// Marks the calling thread as the application thread. A pause or end requested before this call
// still applies at its first host call.
void app_gate_bind_current_thread();
// An application thread is about to start: the previous one's end no longer counts.
void app_gate_thread_starting();
// The application thread has left app_main and the guard for good (it will never pass again).
void app_gate_thread_finished();

// Called at the start of every host operation. On the application thread: waits while paused;
// after app_gate_end never returns (the thread stays parked until the process ends). On any other
// thread: returns at once.
void app_gate_pass();

// GUI thread: hold the application thread at its next host call / let it go on (the clicks made
// while it was held are forgotten).
void app_gate_pause();
void app_gate_resume();
// GUI thread: stop the application thread at its next host call, for good.
void app_gate_end();
// True once app_gate_end has been called.
bool app_gate_ending();
// Waits up to timeout_ms until the application thread is held in the gate (paused or parked), has
// finished, or was never started. True when so.
bool app_gate_wait_held(int timeout_ms);
// Waits up to timeout_ms until the application thread has finished (after the guard). True when so.
bool app_gate_wait_finished(int timeout_ms);
// Waits up to timeout_ms until the application thread can no longer run application code
// (parked after app_gate_end, finished, or never started). True when so; then free_app_data may run.
bool app_gate_wait_stopped(int timeout_ms);

// Forgets everything (for tests). A thread parked earlier stays parked.
void app_gate_reset();
