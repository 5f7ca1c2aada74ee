#include "host/qt/qt_mouse_feed.h"

#include <QMouseEvent>

#include "host/qt/qt_host_state.h"
#include "host/common/pointer_state.h"

void feed_mouse_event(const QMouseEvent* event)
{
    PointerPlace& place = qt_host().pointer;
    const QPoint global = event->globalPosition().toPoint();
    place.screen_x.store(global.x());
    place.screen_y.store(global.y());

    const QPoint local = event->position().toPoint();
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (event->button() == Qt::LeftButton) pointer_button_down(PointerButton::left);
        if (event->button() == Qt::RightButton) pointer_button_down(PointerButton::right);
        break;
    case QEvent::MouseButtonRelease:
        if (event->button() == Qt::LeftButton)
            pointer_button_up(PointerButton::left, local.x(), local.y());
        if (event->button() == Qt::RightButton)
            pointer_button_up(PointerButton::right, local.x(), local.y());
        break;
    default:
        break;
    }
}
