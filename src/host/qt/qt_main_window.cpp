#include "host/qt/qt_main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QScreen>

#include "host/common/app_gate.h"
#include "host/qt/qt_program_end.h"
#include "host/qt/qt_canvas_view.h"
#include "host/qt/qt_host_state.h"
#include "host/qt/qt_message_boxes.h"
#include "qt_text/shift_jis_text.h"
#include "host/qt/qt_texts.h"

namespace {

int command_slot(HostCommand command) {
    return static_cast<int>(command) - static_cast<int>(HostCommand::pause);
}

}  // namespace

MainWindow::MainWindow() : canvas_(new CanvasView(this)) {
    setWindowTitle(sjis_to_qstring(MAIN_WINDOW_TITLE));
    setCentralWidget(canvas_);

    struct Entry {
        const char* menu;
        const char* text;
        HostCommand command;
    };
    const Entry entries[] = {
        {MENU_ACTION, MENU_PAUSE, HostCommand::pause},
        {MENU_ACTION, MENU_QUIT, HostCommand::quit},
        {MENU_SCREEN, MENU_STANDARD, HostCommand::standard_size},
        {MENU_SCREEN, MENU_DOUBLE, HostCommand::double_size},
        {MENU_HELP, MENU_ABOUT, HostCommand::about},
    };
    QMenu* menu = nullptr;
    const char* menu_title = nullptr;
    for (const Entry& entry : entries) {
        if (entry.menu != menu_title) {
            menu_title = entry.menu;
            menu = menuBar()->addMenu(sjis_to_qstring(menu_title));
        }
        QAction* action = menu->addAction(sjis_to_qstring(entry.text));
        action->setData(static_cast<int>(entry.command));
        const HostCommand command = entry.command;
        connect(action, &QAction::triggered, this, [this, command] { run_command(command); });
        actions_[command_slot(entry.command)] = action;
    }
}

QAction* MainWindow::action(HostCommand command) const { return actions_[command_slot(command)]; }

void MainWindow::run_command(HostCommand command) {
    QtHostState& host = qt_host();
    switch (command) {
        case HostCommand::pause:
            // The notice stays open for as long as the pause lasts.
            app_gate_pause();
            show_message_box(this, sjis_to_qstring(PAUSE_NOTICE), sjis_to_qstring(HOST_CAPTION),
                             MessageButtons::ok, MessageIcon::error);
            app_gate_resume();
            break;
        case HostCommand::quit:
            if (show_message_box(this, sjis_to_qstring(QUIT_QUESTION),
                                 sjis_to_qstring(HOST_CAPTION), MessageButtons::yes_no,
                                 MessageIcon::none) == MessageAnswer::yes)
                end_program();
            break;
        case HostCommand::standard_size:
            resize_client(host.screen.width, host.screen.height);
            break;
        case HostCommand::double_size:
            resize_client(2 * host.screen.width, 2 * host.screen.height);
            break;
        case HostCommand::about:
            show_message_box(this, sjis_to_qstring(ABOUT_TEXT), sjis_to_qstring(HOST_CAPTION),
                             MessageButtons::ok, MessageIcon::exclamation,
                             BoxModality::whole_program);
            break;
    }
}

void MainWindow::resize_client(int width, int height) {
    // The central widget takes what the menu bar leaves, so the window is the canvas area plus
    // the menu bar's height.
    resize(width, height + menuBar()->sizeHint().height());
    if (frameGeometry().top() < 0) move(frameGeometry().left(), 0);
    canvas_->update();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A window with a modal box or dialog open takes no input, so its close box does nothing.
    if (QApplication::activeModalWidget() != nullptr) {
        event->ignore();
        return;
    }
    event->ignore();
    end_program();
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    note_canvas_geometry(canvas_);
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) return;
    if (isMinimized()) {
        // A minimised window has no client area: presenting shows nothing, polls read (0, 0).
        qt_host().canvas_place.client_width.store(0);
        qt_host().canvas_place.client_height.store(0);
    } else {
        note_canvas_geometry(canvas_);
    }
}
