// Start-up and end of the Qt host: the windows, the application thread, the event loop.
#include "host/common/app_entry.h"
#include "host/qt/qt_host.h"

#include <QApplication>
#include <QThread>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "host/common/app_gate.h"
#include "host/common/app_thread_posix.h"
#include "host/common/command_line.h"
#include "host/common/text_layout.h"
#include "host/host.h"
#include "host/qt/qt_host_state.h"
#include "host/qt/qt_main_window.h"
#include "host/qt/qt_message_boxes.h"
#include "host/qt/qt_program_end.h"
#include "qt_text/shift_jis_text.h"
#include "host/qt/qt_text_window.h"
#include "host/qt/qt_texts.h"
#include "host/qt/qt_x11_pointer.h"
#include "qt_session/wayland_seat.h"

namespace {

constexpr int TEXT_WINDOW_WIDTH = 600;
constexpr int TEXT_WINDOW_HEIGHT = 160;
// How long the end waits for the application thread to reach a host call.
constexpr int STOP_TIMEOUT_MS = 3000;

struct RunningHost {
    QtHostState* state = nullptr;
};

RunningHost& running_host() {
    static RunningHost host;
    return host;
}

// Windows hands a program its command line as one string; here the words come apart, so they
// are joined again.
std::string joined_arguments(int argc, char** argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) line += ' ';
        line += argv[i];
    }
    return line;
}

}  // namespace

QtHostState& qt_host() { return *running_host().state; }

void end_program() {
    QtHostState& host = qt_host();
    if (host.ending) return;
    host.ending = true;
    app_gate_end();
    // The application thread may be waiting for the GUI thread (a box, a dialog): keep serving
    // it, now answering everything at once, until it reaches the gate.
    const auto give_up =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(STOP_TIMEOUT_MS);
    bool stopped = false;
    while (!(stopped = app_gate_wait_stopped(5)) && std::chrono::steady_clock::now() < give_up)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    if (!stopped) {
        // Still running application code: its data cannot be freed under it, and the process
        // cannot be torn down around it either.
        std::fflush(nullptr);
        std::_Exit(EXIT_SUCCESS);
    }
    app_entry_points().free_data();
    QCoreApplication::exit(0);
}

int qt_host_main(int argc, char** argv, const AppEntryPoints& app) {
    leave_out_input_method_without_seat();
    set_app_entry_points(app);
    QApplication application(argc, argv);
    // After Qt has taken out its own options.
    set_command_line(joined_arguments(argc, argv).c_str());
    // Only the end paths of the host end the program, not the last closed window.
    QApplication::setQuitOnLastWindowClosed(false);

    QtHostState state;
    running_host().state = &state;
    app_gate_reset();

    MainWindow main_window;
    state.main_window = &main_window;
    main_window.show();
    main_window.resize_client(state.screen.width, state.screen.height);
    x11_pointer_attach(&main_window);

    TextWindow text_window(TEXT_WINDOW_WIDTH, TEXT_WINDOW_HEIGHT);
    state.text_window = &text_window;
    attach_text_surface(&text_window);
    // Below the main window, so that neither hides the other where no window manager places them.
    text_window.move(main_window.frameGeometry().left(), main_window.frameGeometry().bottom() + 1);
    text_window.show();

    if (!start_app_thread()) {
        show_message_box(&main_window, sjis_to_qstring(THREAD_START_FAILED),
                         sjis_to_qstring(HOST_CAPTION), MessageButtons::ok, MessageIcon::error);
        request_exit();
    }
    const int code = QApplication::exec();
    // The application thread is parked in the gate or finished; it touches nothing of this.
    attach_text_surface(nullptr);
    running_host().state = nullptr;
    return code;
}
