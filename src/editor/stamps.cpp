// Stamps: the store, the selected stamp's image and the commands that change them.
#include "editor/stamps.h"

#include <algorithm>
#include <new>

#include "editor/session/animation.h"
#include "editor/commands.h"
#include "host/host.h"
#include "raster/raster.h"

StampStore& stamp_store() {
    static StampStore store;
    return store;
}

static void release_stamp_image(StampImage* image) {
    delete[] image->bits;
    *image = StampImage{};
}

void release_stamps() {
    StampStore& store = stamp_store();
    for (Stamp& stamp : store.stamps) {
        free_frame(stamp.frame);
        stamp = Stamp{};
    }
    release_stamp_image(&store.stamp_image);
    store = StampStore{};
}

void load_current_stamp() {
    StampStore& store = stamp_store();
    if (store.stamp_count <= 0) {
        return;
    }
    const Stamp& stamp = store.stamps[store.current_stamp];
    StampImage& image = store.stamp_image;
    const int x = image.x;
    const int y = image.y;
    release_stamp_image(&image);
    image.x = x;
    image.y = y;
    const size_t size = static_cast<size_t>(stamp.width) * static_cast<size_t>(stamp.height);
    // Without memory the image stays empty and the stamp simply draws nothing.
    uint8_t* bits = new (std::nothrow) uint8_t[size];
    if (bits == nullptr) {
        return;
    }
    image.bits = bits;
    image.width = stamp.width;
    image.height = stamp.height;
    fill_bytes(bits, stamp.width, stamp.height, 0);
    draw_frame(bits, stamp.width, stamp.height, stamp.frame,
               static_cast<uint8_t>(store.stamp_color), 0);
}

void set_stamp_color(int color) {
    stamp_store().stamp_color = color;
    load_current_stamp();
}

void place_current_stamp(int x, int y) {
    StampImage& image = stamp_store().stamp_image;
    image.x = x;
    image.y = y;
}

void draw_current_stamp(uint8_t* bits, int width, int height) {
    const StampStore& store = stamp_store();
    const StampImage& image = store.stamp_image;
    if (store.stamp_count <= 0 || image.bits == nullptr) {
        return;
    }
    blit_transparent(bits, width, height, image.bits, image.width, image.height, image.x, image.y);
}

void draw_current_stamp() {
    draw_current_stamp(virtual_screen().bits, CANVAS_WIDTH, CANVAS_HEIGHT);
}

uint8_t* crop_rectangle(const uint8_t* canvas, int canvas_width, int canvas_height, CropRect rect,
                        int* out_width, int* out_height) {
    // Only the part on the canvas is kept: a selection dragged past an edge is clipped there, not
    // shifted onto pixels the user never selected.
    const int64_t left = std::max<int64_t>(rect.x, 0);
    const int64_t top = std::max<int64_t>(rect.y, 0);
    const int64_t right = std::min<int64_t>(int64_t{rect.x} + rect.width, canvas_width);
    const int64_t bottom = std::min<int64_t>(int64_t{rect.y} + rect.height, canvas_height);
    *out_width = 0;
    *out_height = 0;
    if (rect.width <= 0 || rect.height <= 0 || right <= left || bottom <= top) {
        return nullptr;
    }
    const int width = static_cast<int>(right - left);
    const int height = static_cast<int>(bottom - top);
    uint8_t* copy = new (std::nothrow) uint8_t[static_cast<size_t>(width) * height];
    if (copy == nullptr) {
        return nullptr;
    }
    for (int row = 0; row < height; ++row) {
        std::copy_n(canvas + (top + row) * canvas_width + left, width, copy + row * width);
    }
    *out_width = width;
    *out_height = height;
    return copy;
}
