#include "host/qt/qt_text_window.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QPainter>

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

}  // namespace

QFont text_window_font()
{
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
      backing_(width, height, QImage::Format_RGB32)
{
    setWindowTitle(sjis_to_qstring(TEXT_WINDOW_TITLE));
    setFixedSize(width, height);
    setAttribute(Qt::WA_OpaquePaintEvent);
    backing_.fill(Qt::white);
}

QImage TextWindow::backing_copy()
{
    std::lock_guard lock(backing_mutex_);
    return backing_.copy();
}

int TextWindow::measure_width(const char* text, int length)
{
    return QFontMetrics(font_).horizontalAdvance(sjis_to_qstring(text, length));
}

int TextWindow::letter_height()
{
    return QFontMetrics(font_).height();
}

void TextWindow::draw_text(int x, int y, const char* text, int length)
{
    const QString shown = sjis_to_qstring(text, length);
    {
        std::lock_guard lock(backing_mutex_);
        QPainter painter(&backing_);
        painter.setFont(font_);
        const QFontMetrics metrics(font_);
        const QRect cell(x, y, metrics.horizontalAdvance(shown), metrics.height());
        painter.fillRect(cell, Qt::white);
        painter.setPen(Qt::black);
        painter.drawText(cell, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, shown);
    }
    repaint_later();
}

void TextWindow::clear()
{
    {
        std::lock_guard lock(backing_mutex_);
        backing_.fill(Qt::white);
    }
    repaint_later();
}

int TextWindow::line_start_x()
{
    return line_start_x_.load();
}

bool TextWindow::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
        // A window manager frames the window after it is shown; the frame is known from then on.
        fit_to_frame();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void TextWindow::fit_to_frame()
{
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

void TextWindow::repaint_later()
{
    // One queued repaint at a time, however fast the application prints.
    if (repaint_pending_.exchange(true)) return;
    post_to_gui([this] { update(); }, this);
}

void TextWindow::paintEvent(QPaintEvent*)
{
    repaint_pending_.store(false);
    QPainter painter(this);
    std::lock_guard lock(backing_mutex_);
    painter.drawImage(0, 0, backing_);
}

void TextWindow::closeEvent(QCloseEvent* event)
{
    // The user cannot close the text window; it goes with the main window.
    event->ignore();
}

void TextWindow::mousePressEvent(QMouseEvent* event)
{
    feed_mouse_event(event);
}

void TextWindow::mouseReleaseEvent(QMouseEvent* event)
{
    feed_mouse_event(event);
}

void activate_text_window()
{
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
