// The pointer on the Qt host: a poll asks the platform where the pointer is at that moment (also
// over other programs' windows, which send us no events); the button events of either window
// feed the shared held flags. The canvas area's place is recorded by the GUI thread as its window
// moves and changes size.
#include "host/qt/qt_pointer.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>

#include <atomic>
#include <chrono>
#include <thread>

#include "host/common/app_gate.h"
#include "host/common/pointer_state.h"
#include "host/host.h"
#include "host/qt/qt_gui_call.h"
#include "host/qt/qt_host_state.h"
#include "host/qt/qt_x11_pointer.h"

namespace {

// Far from the canvas, where no button is: where the pointer reads while it is off the canvas and
// no global position can be had.
constexpr int AWAY = -30000;

// The pointer as the canvas last saw it, in Qt's screen coordinates.
struct SeenPointer {
    std::atomic<int> x{AWAY};
    std::atomic<int> y{AWAY};
};

SeenPointer& seen_pointer() {
    static SeenPointer seen;
    return seen;
}

}  // namespace

bool global_pointer_readable() {
    // Wayland lets no client read the pointer outside its own windows.
    static const bool readable = QGuiApplication::platformName() != QLatin1String("wayland");
    return readable;
}

void note_pointer_at(QPointF local) {
    // Counted from the canvas's recorded corner, which read_pointer takes off again: where
    // windows have no known place on the screen, only the canvas's own pixels are sure.
    const CanvasPlace& place = qt_host().canvas_place;
    const QPoint at = local.toPoint();
    seen_pointer().x.store(place.client_left.load() + at.x());
    seen_pointer().y.store(place.client_top.load() + at.y());
}

void note_pointer_away() {
    seen_pointer().x.store(AWAY);
    seen_pointer().y.store(AWAY);
}

void read_pointer_screen(int* x, int* y, int* right, int* left) {
    app_gate_pass();
    // Every editor loop polls here; a moment's sleep keeps a waiting editor off the processor
    // without changing what it reads. 250 polls a second still see each report of a common mouse
    // (125 a second), and a click shorter than a poll is kept for the next one.
    std::this_thread::sleep_for(std::chrono::milliseconds(4));
    // On X11 the server answers this thread directly; elsewhere Qt's cursor, which belongs to the
    // GUI thread, is asked there, or where there is none to ask, the canvas's events tell.
    QPoint at;
    if (!x11_pointer_position(&at)) {
        at = global_pointer_readable() ? run_on_gui([] { return QCursor::pos(); })
                                       : QPoint(seen_pointer().x.load(), seen_pointer().y.load());
    }
    *x = at.x();
    *y = at.y();
    pointer_poll_buttons(right, left);
}

void get_client_geometry(int* left, int* top, int* width, int* height) {
    app_gate_pass();
    const CanvasPlace& place = qt_host().canvas_place;
    *left = place.client_left.load();
    *top = place.client_top.load();
    *width = place.client_width.load();
    *height = place.client_height.load();
}

void feed_mouse_event(const QMouseEvent* event) {
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
        default: break;
    }
}
