#include "editor/fill.h"

#include "editor/session/animation.h"
#include "editor/commands.h"
#include "editor/editor_settings.h"
#include "editor/onion_skin.h"
#include "editor/session/editor_texts.h"
#include "editor/status_texts.h"
#include "host/host.h"
#include "raster/raster.h"

namespace {

// Taken pixels hold this while the scan runs; it is never the border, so they may be revisited.
constexpr uint8_t MARK = 0;

struct FillScan {
    ImageRef canvas;
    uint8_t border;

    // Marks (x, y) when it lies on the canvas and is not the border; false otherwise.
    bool take(int x, int y) const {
        uint8_t* pixel = nullptr;
        if (pixel_address(canvas, x, y, &pixel) != 0 || *pixel == border) return false;
        *pixel = MARK;
        return true;
    }
    bool open(int x, int y) const {
        uint8_t* pixel = nullptr;
        return pixel_address(canvas, x, y, &pixel) == 0 && *pixel != border;
    }
    // The whole run through (x, y) along the step (dx, dy) in both directions.
    void take_run(int x, int y, int dx, int dy) const {
        for (int i = 0; take(x + i * dx, y + i * dy); ++i) {
        }
        for (int i = 1; take(x - i * dx, y - i * dy); ++i) {
        }
    }
    // Runs across (dx, dy) at start, start + step, ... until a line's own start is closed.
    void sweep(int x, int y, int step_x, int step_y, int dx, int dy) const {
        for (; open(x, y); x += step_x, y += step_y) take_run(x, y, dx, dy);
    }
};

}  // namespace

void fill_region(int seed_x, int seed_y) {
    const VirtualScreen& screen = virtual_screen();
    // An empty frame draws nothing; without this the editing view's greys would stay.
    fill_bytes(screen.bits, screen.width, screen.height, CANVAS_PAPER);
    set_print_values(CANVAS_INK, CANVAS_PAPER);
    print_page(animation().current_frame);
    const uint8_t pen_color = static_cast<uint8_t>(editor_settings().pen_color);
    const FillScan scan{make_image_ref(screen.bits, screen.width, screen.height), pen_color};
    scan.sweep(seed_x, seed_y, 0, 1, 1, 0);
    present_screen();
    scan.sweep(seed_x, seed_y - 1, 0, -1, 1, 0);
    present_screen();
    scan.sweep(seed_x, seed_y, 1, 0, 0, 1);
    present_screen();
    scan.sweep(seed_x - 1, seed_y, -1, 0, 0, 1);
    const int pixels = screen.width * screen.height;
    for (int i = 0; i < pixels; ++i) {
        if (screen.bits[i] == MARK) screen.bits[i] = pen_color;
    }
}

void fill_tool() {
    compose_editing_view();
    store_undo_frame();
    for (;;) {
        show_edit_status();
        present_screen();
        set_text_pos(0, 2);
        print_text(TEXT_FILL_HINT);
        print_text(TEXT_RIGHT_CLICK_BACK);
        for (;;) {
            int x = 0;
            int y = 0;
            int right = 0;
            int left = 0;
            take_pointer(&x, &y, &right, &left);
            if (right == 1) {
                store_current_frame();
                return;
            }
            if (left == 1) {
                store_undo_frame();
                fill_region(x, y);
                store_current_frame();
                compose_editing_view();
                break;
            }
            print_pointer_position(x, y);
        }
    }
}
