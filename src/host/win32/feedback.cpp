// The pen tool's immediate feedback: lines drawn straight onto the main window, over the canvas,
// until the next presentation replaces them.
#include "host/host.h"
#include "host/win32/host_internal.h"
#include "host/win32/host_state.h"
#include "raster/canvas.h"

void feedback_begin(int pen_color) {
    HostState& h = host_state();
    if (h.feedback_dc != nullptr) feedback_end();
    // The lines go over the presented picture, so the next presentation must draw it again.
    h.drawn_over.store(true);
    h.feedback_dc = GetDC(h.main_window.load());
    if (h.feedback_dc == nullptr) return;
    h.feedback_old_pen = SelectObject(
        h.feedback_dc, GetStockObject(pen_color == CANVAS_INK ? BLACK_PEN : WHITE_PEN));
}

void feedback_move_to(int x, int y) {
    HostState& h = host_state();
    if (h.feedback_dc != nullptr) MoveToEx(h.feedback_dc, x, y, nullptr);
}

void feedback_line_to(int x, int y) {
    HostState& h = host_state();
    if (h.feedback_dc == nullptr) return;
    LineTo(h.feedback_dc, x, y);
    wake_gui_thread();  // the line must show while the button is still held
}

void feedback_end() {
    HostState& h = host_state();
    if (h.feedback_dc == nullptr) return;
    SelectObject(h.feedback_dc, h.feedback_old_pen);
    ReleaseDC(h.main_window.load(), h.feedback_dc);
    h.feedback_dc = nullptr;
    h.feedback_old_pen = nullptr;
}
