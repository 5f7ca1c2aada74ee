// Time on the Win32 host: a millisecond tick counter, a 1 ms timer resolution while the program
// runs, and the short waits with which the polling operations give the processor back.
#include "host/host.h"
#include "host/common/app_gate.h"
#include "host/win32/host_internal.h"
#include "host/win32/host_state.h"

#include <mmsystem.h>

namespace {

constexpr UINT FINE_RESOLUTION_MS = 1;
// A poll that keeps finding nothing new waits longer each time, up to this. Input ends any wait
// at once, so the longer waits only thin out polls that would all return the same.
constexpr DWORD LONGEST_POLL_WAIT_MS = 16;

}  // namespace

void begin_fine_timer() { timeBeginPeriod(FINE_RESOLUTION_MS); }

void end_fine_timer() { timeEndPeriod(FINE_RESOLUTION_MS); }

void note_pointer_input() {
    const HANDLE input = host_state().pointer_input;
    if (input != nullptr) SetEvent(input);
}

void wait_for_pointer_input() {
    HostState& h = host_state();
    const DWORD wait = h.poll_wait_ms;
    bool input = false;
    if (h.pointer_input != nullptr) {
        input = WaitForSingleObject(h.pointer_input, wait) == WAIT_OBJECT_0;
    } else {
        Sleep(wait);
    }
    h.poll_wait_ms =
        input ? 1 : (wait * 2 > LONGEST_POLL_WAIT_MS ? LONGEST_POLL_WAIT_MS : wait * 2);
}

uint32_t tick_count() {
    app_gate_pass();
    // The editor's timing loops spin on this call; without the sleep each would take a core.
    Sleep(1);
    // Someone is timing something: the polls between must not wait long.
    host_state().poll_wait_ms = 1;
    // timeGetTime has the 1 ms resolution asked for at start-up; GetTickCount moves in steps of
    // the system tick (10-16 ms), which would stretch every playback period to a multiple of it.
    return timeGetTime();
}
