#include "host/common/app_gate.h"

#include "host/common/pointer_state.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {
struct AppGate {
    std::mutex mutex;
    std::condition_variable changed;
    std::thread::id app_thread;
    bool started = false;
    bool paused = false;
    bool ending = false;
    bool held = false;    // the application thread waits in the gate
    bool parked = false;  // the application thread stays in the gate for good
    bool finished = false;
};

AppGate& gate() {
    // Never destroyed: a detached application thread may still be notifying it while the
    // process exits.
    static AppGate& instance = *new AppGate;
    return instance;
}

[[noreturn]] void park_for_good() {
    // Nothing wakes this thread again; the process ends around it.
    for (;;) std::this_thread::sleep_for(std::chrono::hours(24));
}

template <typename Done>
bool wait_until(int timeout_ms, Done done) {
    AppGate& g = gate();
    std::unique_lock lock(g.mutex);
    return g.changed.wait_for(lock, std::chrono::milliseconds(timeout_ms), [&] { return done(g); });
}
}  // namespace

void app_gate_bind_current_thread() {
    AppGate& g = gate();
    std::lock_guard lock(g.mutex);
    g.app_thread = std::this_thread::get_id();
    g.started = true;
    // A pause or an end asked for before the thread got here still holds.
    g.held = g.parked = g.finished = false;
}

void app_gate_thread_finished() {
    AppGate& g = gate();
    std::lock_guard lock(g.mutex);
    g.finished = true;
    g.app_thread = std::thread::id();
    g.changed.notify_all();
}

void app_gate_thread_starting() {
    AppGate& g = gate();
    std::lock_guard lock(g.mutex);
    g.finished = false;
}

void app_gate_pass() {
    AppGate& g = gate();
    std::unique_lock lock(g.mutex);
    if (!g.started || std::this_thread::get_id() != g.app_thread) return;
    if (!g.paused && !g.ending) return;
    g.held = true;
    g.changed.notify_all();
    g.changed.wait(lock, [&] { return !g.paused || g.ending; });
    if (g.ending) {
        g.parked = true;
        g.changed.notify_all();
        lock.unlock();
        park_for_good();
    }
    g.held = false;
}

void app_gate_pause() {
    AppGate& g = gate();
    std::lock_guard lock(g.mutex);
    g.paused = true;
}

void app_gate_resume() {
    // Clicks made while the application was held were meant for no loop of it.
    pointer_forget_clicks();
    AppGate& g = gate();
    std::lock_guard lock(g.mutex);
    g.paused = false;
    g.changed.notify_all();
}

void app_gate_end() {
    AppGate& g = gate();
    std::lock_guard lock(g.mutex);
    g.ending = true;
    g.changed.notify_all();
}

bool app_gate_ending() {
    AppGate& g = gate();
    std::lock_guard lock(g.mutex);
    return g.ending;
}

bool app_gate_wait_held(int timeout_ms) {
    return wait_until(timeout_ms, [](const AppGate& g) {
        return !g.started || g.finished || g.held || g.parked;
    });
}

bool app_gate_wait_finished(int timeout_ms) {
    return wait_until(timeout_ms, [](const AppGate& g) { return g.finished; });
}

bool app_gate_wait_stopped(int timeout_ms) {
    return wait_until(timeout_ms,
                      [](const AppGate& g) { return !g.started || g.finished || g.parked; });
}

void app_gate_reset() {
    AppGate& g = gate();
    std::lock_guard lock(g.mutex);
    g.app_thread = std::thread::id();
    g.started = g.paused = g.ending = g.held = g.parked = g.finished = false;
    g.changed.notify_all();
}
