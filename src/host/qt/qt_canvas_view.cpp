#include "host/qt/qt_canvas_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>

#include "host/qt/qt_host_state.h"
#include "host/qt/qt_pointer.h"

CanvasView::CanvasView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Moves matter only where they are the one way to learn the pointer's position.
    setMouseTracking(!global_pointer_readable());
    refresh_timer_.setSingleShot(true);
    connect(&refresh_timer_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

void CanvasView::repaint_soon() {
    const qreal rate = screen() != nullptr ? screen()->refreshRate() : 0;
    // Rounded down: 16 ms at 60 Hz, so that playback at 60 frames a second drops none.
    const qint64 period_ms = rate >= 1 ? static_cast<qint64>(1000 / rate) : 16;
    const qint64 waited = since_paint_.isValid() ? since_paint_.elapsed() : period_ms;
    if (waited >= period_ms) {
        update();
        return;
    }
    if (!refresh_timer_.isActive())
        refresh_timer_.start(static_cast<int>(std::max<qint64>(period_ms - waited, 1)));
}

void CanvasView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    since_paint_.start();
    PresentedCanvas& canvas = qt_host().presented;
    canvas.repaint_pending.store(false);
    std::lock_guard lock(canvas.mutex);
    if (canvas.image.isNull()) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    // Nearest-neighbour stretch, so that 2x shows each canvas pixel as a clean 2 x 2 block.
    painter.drawImage(rect(), canvas.image);
    if (!canvas.feedback.empty()) {
        painter.setPen(QPen(canvas.feedback_white ? Qt::white : Qt::black, 0));
        painter.drawLines(canvas.feedback.data(), static_cast<int>(canvas.feedback.size()));
    }
}

void note_canvas_geometry(const QWidget* canvas) {
    CanvasPlace& place = qt_host().canvas_place;
    const QPoint origin = canvas->mapToGlobal(QPoint(0, 0));
    place.client_left.store(origin.x());
    place.client_top.store(origin.y());
    place.client_width.store(canvas->width());
    place.client_height.store(canvas->height());
}

void CanvasView::resizeEvent(QResizeEvent*) { note_canvas_geometry(this); }

void CanvasView::moveEvent(QMoveEvent*) { note_canvas_geometry(this); }

void CanvasView::mousePressEvent(QMouseEvent* event) {
    note_pointer_at(event->position());
    feed_mouse_event(event);
}

void CanvasView::mouseReleaseEvent(QMouseEvent* event) {
    note_pointer_at(event->position());
    feed_mouse_event(event);
}

void CanvasView::mouseMoveEvent(QMouseEvent* event) { note_pointer_at(event->position()); }

void CanvasView::leaveEvent(QEvent*) { note_pointer_away(); }
