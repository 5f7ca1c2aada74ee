// The text window: status text printed by the application thread into a backing image, which the
// window repaints from. Its clicks feed the same pointer state as the canvas.
#pragma once

#include <QFont>
#include <QImage>
#include <QWidget>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "host/common/text_layout.h"

class TextWindow : public QWidget, public TextSurface {
public:
    // The window's outer size is width x height pixels once the platform tells its frame; until
    // then (and where it never does) the client area is. The backing image is width x height.
    TextWindow(int width, int height);

    // A copy of what the window shows now (any thread).
    QImage backing_copy();

    // TextSurface, called on the application thread.
    int measure_width(const char* text, int length) override;
    int letter_height() override;
    void draw_text(int x, int y, const char* text, int length) override;
    void clear() override;
    int line_start_x() override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void repaint_later();
    // Shrinks the client area so that, with the frame, the window is as large as asked for, and
    // takes the frame's right-hand width as the line start.
    void fit_to_frame();

    QFont font_;
    const QSize outer_size_;
    std::atomic<int> line_start_x_;
    std::atomic<bool> repaint_pending_{false};
    // The application thread's record of its last drawing and of the changes to the image.
    std::string last_draw_;
    QPoint last_draw_at_{-1, -1};
    uint64_t changes_ = 0;
    uint64_t last_draw_changes_ = 0;
    std::mutex backing_mutex_;
    QImage backing_;
};

// The font of the text window: a Japanese gothic face from Debian's fonts-ipafont, 16 pixels high
// like the classic system font, drawn without smoothing.
QFont text_window_font();
