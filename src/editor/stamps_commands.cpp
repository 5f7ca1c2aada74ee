// The stamp commands: cutting a stamp out of the current frame, pressing it, choosing and deleting.
#include <algorithm>
#include <new>

#include "editor/session/animation.h"
#include "editor/commands.h"
#include "editor/onion_skin.h"
#include "editor/session/editor_texts.h"
#include "editor/stamps.h"
#include "host/host.h"
#include "raster/raster.h"

namespace {

constexpr int CANVAS_BYTES = CANVAS_WIDTH * CANVAS_HEIGHT;
constexpr int SELECTION_COLOR = 252;

uint8_t* canvas_bits() { return virtual_screen().bits; }

void show_current_frame_alone() {
    fill_bytes(canvas_bits(), CANVAS_WIDTH, CANVAS_HEIGHT, CANVAS_PAPER);
    set_print_values(CANVAS_INK, CANVAS_PAPER);
    print_page(animation().current_frame);
}

// Waits for the left button to go down (true, anchor in *x, *y) or the right one (false).
bool wait_for_anchor(int* x, int* y) {
    int right, left;
    take_pointer(x, y, &right, &left);
    for (;;) {
        read_pointer(x, y, &right, &left);
        if (right) {
            return false;
        }
        if (left) {
            return true;
        }
    }
}

// Follows the drag until the left button is released (true, rectangle in *rect) or the right one
// is pressed (false).
bool drag_selection(const uint8_t* backup, int anchor_x, int anchor_y, CropRect* rect) {
    // A release seen at the very first poll leaves a selection of size zero.
    int width = 0;
    int height = 0;
    for (;;) {
        int x, y, right, left;
        read_pointer(&x, &y, &right, &left);
        if (right) {
            return false;
        }
        if (!left) {
            break;
        }
        width = x - anchor_x;
        height = y - anchor_y;
        std::copy_n(backup, CANVAS_BYTES, canvas_bits());
        draw_thick_box(canvas_bits(), CANVAS_WIDTH, CANVAS_HEIGHT, anchor_x, anchor_y,
                       anchor_x + width, anchor_y + height, 1, SELECTION_COLOR);
        present_screen();
    }
    rect->x = width < 0 ? anchor_x + width : anchor_x;
    rect->y = height < 0 ? anchor_y + height : anchor_y;
    rect->width = width < 0 ? -width : width;
    rect->height = height < 0 ? -height : height;
    return true;
}

// Cuts the selection out of the current frame into the stamp slot; false when nothing usable
// was selected (empty, or off the canvas) or memory ran out.
bool cut_stamp(const CropRect& rect, Stamp* stamp) {
    show_current_frame_alone();
    int width, height;
    uint8_t* copy =
        crop_rectangle(canvas_bits(), CANVAS_WIDTH, CANVAS_HEIGHT, rect, &width, &height);
    if (copy == nullptr) {
        return false;
    }
    const int stamp_color = stamp_store().stamp_color;
    const int size = width * height;
    for (int i = 0; i < size; ++i) {
        copy[i] = copy[i] == stamp_color ? CANVAS_INK : CANVAS_PAPER;
    }
    const bool stored = compress_canvas(copy, width, height, &stamp->frame) >= 0;
    delete[] copy;
    if (!stored) {
        return false;
    }
    stamp->width = width;
    stamp->height = height;
    return true;
}

}  // namespace

void create_stamp() {
    StampStore& store = stamp_store();
    if (store.stamp_count >= MAX_STAMPS) {
        return;
    }
    // Counted at once so that the status line shows the stamp being made.
    store.stamp_count += 1;
    clear_text();
    show_stamp_status();
    set_text_pos(0, 1);
    print_text(TEXT_NEW_STAMP);
    print_text(TEXT_NEW_STAMP_CHOOSE);
    print_text(TEXT_NEW_STAMP_DRAG);
    print_text(TEXT_NEW_STAMP_CANCEL);

    show_current_frame_alone();
    present_screen();
    uint8_t* backup = new (std::nothrow) uint8_t[CANVAS_BYTES];
    if (backup == nullptr) {
        store.stamp_count -= 1;
        return;
    }
    std::copy_n(canvas_bits(), CANVAS_BYTES, backup);

    int anchor_x, anchor_y;
    CropRect rect;
    Stamp& entry = store.stamps[store.stamp_count - 1];
    const bool made = wait_for_anchor(&anchor_x, &anchor_y) &&
                      drag_selection(backup, anchor_x, anchor_y, &rect) && cut_stamp(rect, &entry);
    delete[] backup;
    if (made) {
        store.current_stamp = store.stamp_count - 1;
    } else {
        // A cancel, and equally a selection that holds no pixel of the canvas, makes no stamp.
        store.stamp_count -= 1;
    }
    load_current_stamp();
}

void stamp_tool() {
    StampStore& store = stamp_store();
    if (store.stamp_count <= 0) {
        return;
    }
    clear_text();
    show_stamp_status();
    set_text_pos(0, 1);
    print_text(TEXT_STAMP_PRESS_HINT);
    print_text(TEXT_STAMP_BACK);

    fill_bytes(canvas_bits(), CANVAS_WIDTH, CANVAS_HEIGHT, CANVAS_PAPER);
    compose_editing_view();
    store_undo_frame();
    present_screen();
    uint8_t* backup = new (std::nothrow) uint8_t[CANVAS_BYTES];
    if (backup == nullptr) {
        return;
    }
    std::copy_n(canvas_bits(), CANVAS_BYTES, backup);
    int x, y, right, left;
    take_pointer(&x, &y, &right, &left);
    for (;;) {
        read_pointer(&x, &y, &right, &left);
        std::copy_n(backup, CANVAS_BYTES, canvas_bits());
        place_current_stamp(x, y);
        draw_current_stamp();
        present_screen();
        if (right) {
            std::copy_n(backup, CANVAS_BYTES, canvas_bits());
            store_current_frame();
            break;
        }
        if (left) {
            // Pressed at every poll while the button is held, which leaves a trail.
            store_current_frame();
            std::copy_n(canvas_bits(), CANVAS_BYTES, backup);
        }
    }
    delete[] backup;
}

void next_stamp() {
    StampStore& store = stamp_store();
    if (store.stamp_count <= 0) {
        return;
    }
    if (store.current_stamp + 1 >= store.stamp_count) {
        store.current_stamp = store.stamp_count - 1;
        return;
    }
    store.current_stamp += 1;
    load_current_stamp();
}

void previous_stamp() {
    StampStore& store = stamp_store();
    if (store.stamp_count <= 0) {
        return;
    }
    if (store.current_stamp <= 0) {
        store.current_stamp = 0;
        return;
    }
    store.current_stamp -= 1;
    load_current_stamp();
}

void delete_stamp() {
    StampStore& store = stamp_store();
    if (store.stamp_count <= 0) {
        return;
    }
    print_text(TEXT_DELETE_STAMP);
    if (message_box(TEXT_DELETE_QUESTION, CAPTION_DELETE_STAMP, MessageButtons::yes_no,
                    MessageIcon::none) != MessageAnswer::yes) {
        return;
    }
    free_frame(store.stamps[store.current_stamp].frame);
    store.stamps[store.current_stamp] = Stamp{};
    store.stamp_count -= 1;
    if (store.stamp_count == 0) {
        store.current_stamp = 0;
        return;
    }
    for (int slot = store.current_stamp; slot < store.stamp_count; ++slot) {
        store.stamps[slot] = store.stamps[slot + 1];
    }
    store.stamps[store.stamp_count] = Stamp{};
    if (store.current_stamp >= store.stamp_count) {
        store.current_stamp = store.stamp_count - 1;
    }
    load_current_stamp();
}
