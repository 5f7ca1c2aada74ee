// Pointer polling for the application thread and the button messages of both windows.
#include "host/common/app_gate.h"
#include "host/common/pointer_state.h"
#include "host/host.h"
#include "host/win32/host_internal.h"
#include "host/win32/host_state.h"

void read_pointer_screen(int* x, int* y, int* right, int* left) {
    app_gate_pass();
    // The editor polls in tight loops; a short wait per poll keeps a waiting editor from taking
    // a whole core (and from starving the GUI thread) without changing what the poll returns.
    wait_for_pointer_input();
    POINT p = {0, 0};
    GetCursorPos(&p);
    *x = p.x;
    *y = p.y;
    pointer_poll_buttons(right, left);
}

void get_client_geometry(int* left, int* top, int* width, int* height) {
    const HWND window = host_state().main_window.load();
    RECT client = {0, 0, 0, 0};
    GetClientRect(window, &client);
    // The client origin itself, rather than the outer rectangle plus a computed frame: exact
    // also when a narrow window wraps its menu bar onto two lines.
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    *left = origin.x;
    *top = origin.y;
    *width = client.right;
    *height = client.bottom;
}

bool record_button_message(HWND window, UINT message, LPARAM position) {
    const int x = LOWORD(position);
    const int y = HIWORD(position);
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            SetCapture(window);
            pointer_button_down(message == WM_LBUTTONDOWN ? PointerButton::left
                                                          : PointerButton::right);
            return true;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            ReleaseCapture();
            pointer_button_up(message == WM_LBUTTONUP ? PointerButton::left : PointerButton::right,
                              x, y);
            return true;
        default: return false;
    }
}
