#include "qt_test_app.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "host/host.h"
#include "host/qt/qt_canvas_view.h"
#include "host/qt/qt_host.h"
#include "host/qt/qt_host_state.h"
#include "host/qt/qt_main_window.h"
#include "host/qt/qt_program_end.h"
#include "support/test_canvas.h"

namespace {

constexpr int WATCHDOG_MS = 20000;

}  // namespace

TestApp& test_app() {
    static TestApp app;
    return app;
}

namespace {

void app_main() {
    // A test whose GUI side waits for something that never comes fails instead of hanging.
    later(WATCHDOG_MS, [] {
        ADD_FAILURE() << "the host test did not end in time";
        end_program();
    });
    test_app().scenario();
    request_exit();
    // The host stops this thread at its next host call.
    for (;;) tick_count();
}

void free_app_data() {
    ++test_app().freed;
    palette_close();
}

void save_animation() {
    ++test_app().saves;
    if (test_app().save) test_app().save();
}

}  // namespace

int run_host(std::function<void()> scenario) {
    // Offscreen, so that no test touches a desktop; a compositor of the test's own is the one
    // exception.
    if (!qEnvironmentVariableIsSet("MEPU_PRIVATE_WESTON")) qputenv("QT_QPA_PLATFORM", "offscreen");
    TestApp& app = test_app();
    app.scenario = std::move(scenario);
    app.freed = 0;
    app.saves = 0;
    std::string program = "mepu_qt_test";
    std::vector<char*> argv{program.data(), nullptr};
    return qt_host_main(1, argv.data(), {app_main, free_app_data, save_animation});
}

void later(int ms, std::function<void()> work) {
    // Tied to this run's main window, so that no timer outlives the run it belongs to.
    post_to_gui(
        [ms, work = std::move(work)] { QTimer::singleShot(ms, qt_host().main_window, work); });
}

void poll_gui(std::function<bool()> step) {
    post_to_gui([step = std::move(step)] {
        auto* timer = new QTimer(qt_host().main_window);
        QObject::connect(timer, &QTimer::timeout, timer, [timer, step] {
            if (!step()) return;
            timer->stop();
            timer->deleteLater();
        });
        timer->start(20);
    });
}

void start_canvas() {
    test_support::open_test_canvas();
    std::memset(virtual_screen().bits, 255, 320 * 240);
    present_screen();
}

QImage grab_canvas() {
    CanvasView* canvas = qt_host().main_window->canvas();
    return canvas->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void keep_screenshot(const QImage& image, const char* name) {
    const QByteArray folder = qgetenv("MEPU_SCREENSHOT_DIR");
    if (folder.isEmpty()) return;
    image.save(QString::fromLocal8Bit(folder) + '/' + QString::fromLatin1(name));
}
