// The main window's client area: shows the presented canvas stretched to its size, with the pen
// feedback over it, and turns button presses into the pointer state.
#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

class CanvasView : public QWidget {
public:
    explicit CanvasView(QWidget* parent = nullptr);

    // Repaints at the next display refresh: at once when the last repaint is a refresh period
    // old, else when it will be, so that a fast presenter costs one repaint per refresh.
    void repaint_soon();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QElapsedTimer since_paint_;
    QTimer refresh_timer_;
};

// Records where the canvas area is on the screen (after a move or resize of its window).
void note_canvas_geometry(const QWidget* canvas);
