// A stand-in editor for the Qt host tests: app_main runs a scenario on the application thread,
// then asks the host to end. The scenario drives the GUI through gui() and later().
#pragma once

#include <QApplication>
#include <QImage>

#include <atomic>
#include <functional>

#include "host/qt/qt_gui_call.h"

struct TestApp {
    std::function<void()> scenario;
    std::function<void()> save;  // what save_animation does
    std::atomic<int> freed{0};   // calls of free_app_data
    std::atomic<int> saves{0};   // calls of save_animation
};
TestApp& test_app();

// Runs the real host (offscreen) with `scenario` as the application; returns its exit code.
int run_host(std::function<void()> scenario);

// From the application thread: runs `work` on the GUI thread and waits for it.
template <class Work>
auto gui(Work&& work) {
    return run_on_gui(std::forward<Work>(work));
}
// From any thread: runs `work` on the GUI thread after `ms` milliseconds (for answering a box or
// dialog that the application thread is about to open).
void later(int ms, std::function<void()> work);

// Calls `step` on the GUI thread every few milliseconds until it returns true.
void poll_gui(std::function<bool()> step);
// Runs `work` on the GUI thread as soon as a modal widget of type Dialog is open (it may open
// later than expected on a slow machine).
template <class Dialog, class Work>
void when_open(Work work) {
    poll_gui([work]() mutable {
        auto* dialog = dynamic_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return false;
        work(dialog);
        return true;
    });
}

// The editor's start-up steps of the screen: palette, canvas, whitened.
void start_canvas();
// The canvas area of the main window as shown now (GUI thread).
QImage grab_canvas();
// Keeps a screenshot for a person to look at, in $MEPU_SCREENSHOT_DIR when that is set.
void keep_screenshot(const QImage& image, const char* name);
