#include "host/qt/qt_text_window.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <string>

#include "host/common/app_gate.h"
#include "host/qt/qt_gui_call.h"
#include "host/qt/qt_host_state.h"
#include "host/qt/qt_pointer.h"
#include "qt_text/shift_jis_text.h"
#include "host/qt/qt_texts.h"

namespace {

// Where a new line starts while the platform does not tell the window's frame: the right-hand
// frame width of a classic caption-only window.
constexpr int CLASSIC_FRAME_WIDTH = 3;

// A white image of `size` window pixels with `ratio` device pixels to each, so that text drawn
// into it is as sharp as the screen can show it.
QImage backing_image(QSize size, qreal ratio) {
    QImage image((QSizeF(size) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    return image;
}

}  // namespace

QFont text_window_font() {
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(16);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

TextWindow::TextWindow(int width, int height)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      font_(text_window_font()),
      outer_size_(width, height),
      line_start_x_(CLASSIC_FRAME_WIDTH),
      backing_(backing_image(QSize(width, height), devicePixelRatioF())) {
    setWindowTitle(sjis_to_qstring(TEXT_WINDOW_TITLE));
    setFixedSize(width, height);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage TextWindow::backing_copy() {
    std::lock_guard lock(backing_mutex_);
    return backing_.copy();
}

int TextWindow::measure_width(const char* text, int length) {
    return QFontMetrics(font_).horizontalAdvance(sjis_to_qstring(text, length));
}

int TextWindow::letter_height() { return QFontMetrics(font_).height(); }

void TextWindow::draw_text(int x, int y, const char* text, int length) {
    // An editor reprints the same help text at every poll; a window repainted for nothing keeps
    // the processor busy while the editor waits. The same text drawn at the same place again,
    // with nothing changed since, is there already.
    const std::string bytes(text, static_cast<size_t>(std::max(length, 0)));
    if (QPoint(x, y) == last_draw_at_ && bytes == last_draw_ && changes_ == last_draw_changes_)
        return;
    last_draw_at_ = QPoint(x, y);
    last_draw_ = bytes;
    const QString shown = sjis_to_qstring(text, length);
    const QFontMetrics metrics(font_);
    const QRect cell(x, y, metrics.horizontalAdvance(shown), metrics.height());
    last_draw_changes_ = changes_;
    {
        std::lock_guard lock(backing_mutex_);
        // Another text may have left the same pixels: then nothing changed either.
        const qreal ratio = backing_.devicePixelRatio();
        const QRect pixels =
            QRectF(cell.x() * ratio, cell.y() * ratio, cell.width() * ratio, cell.height() * ratio)
                .toAlignedRect() &
            backing_.rect();
        if (pixels.isEmpty()) return;
        const QImage before = backing_.copy(pixels);
        QPainter painter(&backing_);
        painter.setFont(font_);
        painter.fillRect(cell, Qt::white);
        painter.setPen(Qt::black);
        painter.drawText(cell, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, shown);
        painter.end();
        if (backing_.copy(pixels) == before) return;
    }
    last_draw_changes_ = ++changes_;
    repaint_later();
}

void TextWindow::clear() {
    {
        std::lock_guard lock(backing_mutex_);
        const QImage white =
            backing_image(backing_.deviceIndependentSize().toSize(), backing_.devicePixelRatio());
        if (backing_ == white) return;
        backing_ = white;
    }
    ++changes_;
    repaint_later();
}

int TextWindow::line_start_x() { return line_start_x_.load(); }

bool TextWindow::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
            // A window manager frames the window after it is shown; the frame is known from then on.
            fit_to_frame();
            break;
        default: break;
    }
    return QWidget::event(event);
}

void TextWindow::fit_to_frame() {
    const QRect outer = frameGeometry();
    const QRect client = geometry();
    if (outer == client) return;  // no frame known (yet)
    const int left = client.left() - outer.left();
    const int right = outer.right() - client.right();
    const int top = client.top() - outer.top();
    const int bottom = outer.bottom() - client.bottom();
    line_start_x_.store(right);
    const QSize fitted(outer_size_.width() - left - right, outer_size_.height() - top - bottom);
    if (!fitted.isEmpty() && size() != fitted) setFixedSize(fitted);
}

void TextWindow::repaint_later() {
    // One queued repaint at a time, however fast the application prints.
    if (repaint_pending_.exchange(true)) return;
    post_to_gui([this] { update(); }, this);
}

void TextWindow::paintEvent(QPaintEvent*) {
    repaint_pending_.store(false);
    QPainter painter(this);
    std::lock_guard lock(backing_mutex_);
    painter.drawImage(0, 0, backing_);
}

void TextWindow::closeEvent(QCloseEvent* event) {
    // The user cannot close the text window; it goes with the main window.
    event->ignore();
}

void TextWindow::mousePressEvent(QMouseEvent* event) { feed_mouse_event(event); }

void TextWindow::mouseReleaseEvent(QMouseEvent* event) { feed_mouse_event(event); }

void activate_text_window() {
    app_gate_pass();
    QtHostState& host = qt_host();
    if (host.text_window == nullptr) return;
    TextWindow* window = host.text_window;
    post_to_gui(
        [window] {
            window->raise();
            window->activateWindow();
        },
        window);
}
