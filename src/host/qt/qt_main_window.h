// The main window: the canvas area under the host menu.
#pragma once

#include <QMainWindow>

class CanvasView;
class QAction;

// Host menu commands, by their fixed identifiers.
enum class HostCommand {
    pause = 40001,
    quit = 40002,
    standard_size = 40003,
    double_size = 40004,
    about = 40005
};

class MainWindow : public QMainWindow {
public:
    MainWindow();

    CanvasView* canvas() const { return canvas_; }
    QAction* action(HostCommand command) const;
    void run_command(HostCommand command);
    // Makes the canvas area exactly width x height, keeping the window's top on the screen.
    void resize_client(int width, int height);

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    CanvasView* canvas_;
    QAction* actions_[5] = {};
};
