#include "host/common/pointer_polling.h"

#include <cstdint>

#include "host/common/pointer_state.h"
#include "host/host.h"
#include "raster/canvas.h"

void canvas_from_client(int screen_x, int screen_y, int client_left, int client_top,
                        int client_width, int client_height, int* x, int* y) {
    if (client_width == 0 || client_height == 0) {
        *x = 0;
        *y = 0;
        return;
    }
    // 64-bit so that far-off screen positions cannot overflow; C++ division truncates toward zero.
    *x = static_cast<int>((int64_t{screen_x} - client_left) * CANVAS_WIDTH / client_width);
    *y = static_cast<int>((int64_t{screen_y} - client_top) * CANVAS_HEIGHT / client_height);
}

namespace {
struct ScreenReading {
    int x = 0, y = 0;
    int client_left = 0, client_top = 0, client_width = 0, client_height = 0;
};

ScreenReading read_screen(PollKind kind, int* right, int* left) {
    const PollScope scope(kind);
    ScreenReading reading;
    get_client_geometry(&reading.client_left, &reading.client_top, &reading.client_width,
                        &reading.client_height);
    read_pointer_screen(&reading.x, &reading.y, right, left);
    return reading;
}

void to_canvas(const ScreenReading& r, int* x, int* y) {
    canvas_from_client(r.x, r.y, r.client_left, r.client_top, r.client_width, r.client_height, x,
                       y);
}
}  // namespace

void read_pointer(int* x, int* y, int* right, int* left) {
    to_canvas(read_screen(PollKind::read, right, left), x, y);
}

void take_pointer(int* x, int* y, int* right, int* left) {
    to_canvas(read_screen(PollKind::take, right, left), x, y);
}

void wait_click(int* x, int* y, int* right, int* left) {
    const PollScope scope(PollKind::read);
    do {
        read_pointer_screen(x, y, right, left);
    } while (*right == 1 || *left == 1);
    do {
        read_pointer_screen(x, y, right, left);
    } while (*right == 0 && *left == 0);
}

void get_last_release(int* x, int* y, int* button) {
    const PointerState& state = pointer_state();
    *x = state.release_x;
    *y = state.release_y;
    *button = state.release_button;
}
