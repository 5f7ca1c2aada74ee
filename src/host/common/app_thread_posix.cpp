#include "host/common/app_thread_posix.h"

#include <pthread.h>
#include <setjmp.h>
#include <signal.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <thread>

#include "host/common/app_entry.h"
#include "host/common/app_gate.h"
#include "host/common/error_guard.h"
#include "host/host.h"

namespace {
constexpr int CRASH_SIGNALS[] = {SIGSEGV, SIGFPE, SIGBUS, SIGILL};
constexpr std::size_t ALTERNATE_STACK_BYTES = 256 * 1024;

// What the crash handler needs. It is read inside the signal handler, so only plain data and
// lock-free atomics live here.
struct CrashCatch {
    pthread_t app_thread{};
    std::atomic<bool> armed{false};
    sigjmp_buf jump_back{};
    struct sigaction previous[sizeof CRASH_SIGNALS / sizeof CRASH_SIGNALS[0]]{};
    bool installed = false;
};

CrashCatch& crash_catch() {
    static CrashCatch state;
    return state;
}

int signal_slot(int signal_number) {
    for (std::size_t i = 0; i < sizeof CRASH_SIGNALS / sizeof CRASH_SIGNALS[0]; ++i) {
        if (CRASH_SIGNALS[i] == signal_number) return static_cast<int>(i);
    }
    return -1;
}

void on_crash_signal(int signal_number, siginfo_t* info, void* /*context*/) {
    CrashCatch& state = crash_catch();
    if (state.armed.load() && pthread_equal(pthread_self(), state.app_thread)) {
        state.armed.store(false);
        siglongjmp(state.jump_back, signal_number);
    }
    // Not ours: hand the signal back to whatever handled it before. A fault re-executes and
    // meets that handler; a signal sent by kill or raise is sent again.
    const int slot = signal_slot(signal_number);
    if (slot >= 0) sigaction(signal_number, &state.previous[slot], nullptr);
    if (info == nullptr || info->si_code <= 0) raise(signal_number);
}

void install_crash_handlers() {
    CrashCatch& state = crash_catch();
    if (state.installed) return;
    state.installed = true;
    struct sigaction action {};
    action.sa_sigaction = on_crash_signal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < sizeof CRASH_SIGNALS / sizeof CRASH_SIGNALS[0]; ++i) {
        sigaction(CRASH_SIGNALS[i], &action, &state.previous[i]);
    }
}

// The handler must not run on the stack that just overflowed or was smashed. Returns the
// thread's previous alternate stack, which must be back in place when the thread ends (a
// sanitizer runtime frees its own one then).
stack_t use_alternate_signal_stack(void* memory) {
    stack_t stack{};
    stack.ss_sp = memory;
    stack.ss_size = ALTERNATE_STACK_BYTES;
    stack.ss_flags = 0;
    stack_t previous{};
    sigaltstack(&stack, &previous);
    return previous;
}

// The guarded call of app_main. Kept apart so that nothing with a destructor lives in the frame
// that sigsetjmp returns to twice.
void run_app_main_caught() {
    CrashCatch& state = crash_catch();
    state.app_thread = pthread_self();
    if (sigsetjmp(state.jump_back, 1) != 0) return;
    state.armed.store(true);
    try {
        app_entry_points().main();
    } catch (...) {
        // A failure and a return meet the same guard.
    }
    state.armed.store(false);
}

void app_thread_main(void* alternate_stack) {
    app_gate_bind_current_thread();
    const stack_t previous_stack = use_alternate_signal_stack(alternate_stack);
    run_app_main_caught();
    run_error_guard();
    sigaltstack(&previous_stack, nullptr);
    std::free(alternate_stack);
    app_gate_thread_finished();
}
}  // namespace

bool start_app_thread() {
    install_crash_handlers();
    app_gate_thread_starting();
    void* alternate_stack = std::malloc(ALTERNATE_STACK_BYTES);
    if (alternate_stack == nullptr) return false;
    try {
        std::thread(app_thread_main, alternate_stack).detach();
    } catch (const std::system_error&) {
        std::free(alternate_stack);
        return false;
    }
    return true;
}
