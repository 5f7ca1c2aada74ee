// The application thread's start routine: app_main under the run-time error guard.
//
// GCC has no __try, so a fault (access violation, division by zero, ...) is caught by the
// process's top-level exception filter, which runs only for faults that nothing else handled.
// On the application thread it does not return into the broken code: it points the thread at
// the guard's steps, on a fresh part of the thread's own stack above everything app_main used.
#include <cstdint>

#include "host/common/app_entry.h"
#include "host/common/app_gate.h"
#include "host/common/error_guard.h"
#include "host/host.h"
#include "host/win32/host_internal.h"
#include "host/win32/host_state.h"

namespace {

// Room between the start routine's frame and where the guard's steps start after a fault.
constexpr uintptr_t GUARD_STACK_MARGIN = 8192;

struct FaultGuard {
    DWORD thread_id = 0;
    uintptr_t resume_stack = 0;  // as at a function's entry: 8 below a 16-byte boundary
    LPTOP_LEVEL_EXCEPTION_FILTER previous_filter = nullptr;
    LONG taken = 0;  // the guard runs at most once
};

FaultGuard& fault_guard() {
    static FaultGuard guard;
    return guard;
}

[[noreturn]] void finish_guard() {
    run_error_guard();
    app_gate_thread_finished();
    ExitThread(0);
}

[[noreturn]] void guard_after_fault() { finish_guard(); }

bool is_fault(DWORD code) {
    switch (code) {
        case EXCEPTION_ACCESS_VIOLATION:
        case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
        case EXCEPTION_DATATYPE_MISALIGNMENT:
        case EXCEPTION_FLT_DIVIDE_BY_ZERO:
        case EXCEPTION_FLT_INVALID_OPERATION:
        case EXCEPTION_FLT_OVERFLOW:
        case EXCEPTION_ILLEGAL_INSTRUCTION:
        case EXCEPTION_IN_PAGE_ERROR:
        case EXCEPTION_INT_DIVIDE_BY_ZERO:
        case EXCEPTION_INT_OVERFLOW:
        case EXCEPTION_PRIV_INSTRUCTION:
        case EXCEPTION_STACK_OVERFLOW: return true;
        default: return false;
    }
}

LONG WINAPI application_fault_filter(EXCEPTION_POINTERS* info) {
    FaultGuard& guard = fault_guard();
    if (GetCurrentThreadId() == guard.thread_id && is_fault(info->ExceptionRecord->ExceptionCode) &&
        InterlockedExchange(&guard.taken, 1) == 0) {
        info->ContextRecord->Rsp = guard.resume_stack;
        info->ContextRecord->Rip = reinterpret_cast<DWORD64>(&guard_after_fault);
        return EXCEPTION_CONTINUE_EXECUTION;
    }
    return guard.previous_filter != nullptr ? guard.previous_filter(info)
                                            : EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

DWORD WINAPI app_thread_main(void*) {
    FaultGuard& guard = fault_guard();
    guard.thread_id = GetCurrentThreadId();
    const auto frame = reinterpret_cast<uintptr_t>(__builtin_frame_address(0));
    guard.resume_stack = ((frame - GUARD_STACK_MARGIN) & ~uintptr_t{15}) - 8;
    guard.previous_filter = SetUnhandledExceptionFilter(application_fault_filter);
    app_gate_bind_current_thread();
    try {
        app_entry_points().main();
    } catch (...) {
        // A failure and a return meet the same guard.
    }
    finish_guard();
}
