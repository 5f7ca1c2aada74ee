#include "host/win32/app_control.h"

#include "host/common/app_gate.h"
#include "host/win32/host_state.h"

namespace {

// Long enough for any editor loop to reach its next host call, short enough not to be noticed.
constexpr DWORD HOLD_WAIT_MS = 250;
constexpr DWORD STOP_WAIT_MS = 1000;
constexpr int WAIT_SLICE_MS = 10;

// Waits until `reached` says so, while still answering messages that other threads send to our
// windows: the application thread may be blocked in such a call (MoveWindow, a dialog disabling
// its owner) and would otherwise never reach the gate.
template <typename Reached>
bool wait_answering_sent_messages(Reached reached, DWORD timeout_ms) {
    const DWORD start = GetTickCount();
    while (!reached()) {
        if (GetTickCount() - start >= timeout_ms) return false;
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    return true;
}

bool thread_has_ended(HANDLE thread) {
    return thread == nullptr || WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
}

}  // namespace

HoldResult hold_app_thread() {
    HostState& h = host_state();
    if (thread_has_ended(h.app_thread)) return HoldResult::held;
    app_gate_pause();
    if (wait_answering_sent_messages([] { return app_gate_wait_held(WAIT_SLICE_MS); },
                                     HOLD_WAIT_MS)) {
        return HoldResult::held;
    }
    if (SuspendThread(h.app_thread) == static_cast<DWORD>(-1)) {
        app_gate_resume();
        return HoldResult::failed;
    }
    return HoldResult::suspended;
}

bool release_app_thread(HoldResult how) {
    // A thread suspended inside the gate may hold the gate's lock, which opening the gate takes:
    // it must run again first.
    bool resumed = true;
    if (how == HoldResult::suspended) {
        resumed = ResumeThread(host_state().app_thread) != static_cast<DWORD>(-1);
    }
    app_gate_resume();
    return resumed;
}

void stop_app_thread() {
    HostState& h = host_state();
    if (h.app_thread == nullptr) return;
    app_gate_end();
    if (wait_answering_sent_messages([] { return app_gate_wait_stopped(WAIT_SLICE_MS); },
                                     STOP_WAIT_MS)) {
        return;
    }
    DWORD exit_code = 0;
    GetExitCodeThread(h.app_thread, &exit_code);
    TerminateThread(h.app_thread, exit_code);
    WaitForSingleObject(h.app_thread, STOP_WAIT_MS);
}
