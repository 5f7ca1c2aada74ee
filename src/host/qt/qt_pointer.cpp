// The GUI thread records the pointer's screen position and the canvas area's place from window
// events; a poll of the application thread reads them without waiting for the GUI thread.
#include "host/qt/qt_pointer.h"

#include <QMouseEvent>

#include <chrono>
#include <thread>

#include "host/common/app_gate.h"
#include "host/common/pointer_state.h"
#include "host/host.h"
#include "host/qt/qt_host_state.h"

void read_pointer_screen(int* x, int* y, int* right, int* left)
{
    app_gate_pass();
    // Every editor loop polls here; a moment's sleep keeps a waiting editor off the processor
    // without changing what it reads.
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const PointerPlace& place = qt_host().pointer;
    const PointerState& state = pointer_state();
    *x = place.screen_x.load();
    *y = place.screen_y.load();
    *right = state.right_held.load();
    *left = state.left_held.load();
}

void get_client_geometry(int* left, int* top, int* width, int* height)
{
    app_gate_pass();
    const PointerPlace& place = qt_host().pointer;
    *left = place.client_left.load();
    *top = place.client_top.load();
    *width = place.client_width.load();
    *height = place.client_height.load();
}

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
