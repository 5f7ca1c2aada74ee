#include "host/qt/qt_text_window.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QPainter>

#include "host/common/app_gate.h"
#include "host/qt/qt_host_state.h"
#include "host/qt/qt_pointer.h"
#include "host/qt/qt_sjis.h"
#include "host/qt/qt_texts.h"

namespace {

// The frame a caption-only window has on the left: where a new line starts.
constexpr int LINE_START_X = 3;

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
    return LINE_START_X;
}

void TextWindow::repaint_later()
{
    // One queued repaint at a time, however fast the application prints.
    if (repaint_pending_.exchange(true)) return;
    QMetaObject::invokeMethod(this, qOverload<>(&QWidget::update), Qt::QueuedConnection);
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
    QMetaObject::invokeMethod(
        window,
        [window] {
            window->raise();
            window->activateWindow();
        },
        Qt::QueuedConnection);
}
