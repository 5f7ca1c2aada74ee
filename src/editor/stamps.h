// Stamps: one-colour pictures cut out of a frame and pressed onto frames again. They live only
// while the program runs and are never saved.
#pragma once

#include <cstdint>

#include "raster/canvas.h"

struct Frame;

// One slot stays unused: a new stamp is refused when the count would reach the table size.
constexpr int STAMP_SLOTS = 64;
constexpr int MAX_STAMPS = STAMP_SLOTS - 1;

// A stamp in run-length form over width x height pixels: ink is the stamp's lines, paper is
// transparent.
struct Stamp {
    Frame* frame = nullptr;
    int32_t width = 0;
    int32_t height = 0;
};

// The selected stamp as pixels: its lines in the stamp colour, 0 (transparent) elsewhere, drawn
// with its top-left corner at (x, y).
struct StampImage {
    uint8_t* bits = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t x = 0;
    int32_t y = 0;
};

struct StampStore {
    Stamp stamps[STAMP_SLOTS];
    int32_t stamp_count = 0;
    int32_t current_stamp = 0;
    int32_t stamp_color = CANVAS_INK;
    StampImage stamp_image;
};

// The editor's one stamp store.
StampStore& stamp_store();

// Releases every stamp and the stamp image and empties the store (free_app_data; tests).
void release_stamps();

// Rebuilds the stamp image from the selected stamp in the current stamp colour.
void load_current_stamp();
// Commands 65 and 66: the colour (255 or 10) in which stamps are cut and pressed.
void set_stamp_color(int color);
// Where the stamp image is drawn next (its top-left corner).
void place_current_stamp(int x, int y);
// Draws the stamp image transparently into the given buffer; nothing when there are no stamps.
void draw_current_stamp(uint8_t* bits, int width, int height);

// A rectangle of the canvas: top-left corner and size.
struct CropRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};
// Copies the part of rect that lies on the canvas into a new buffer (released with delete[]) and
// returns it with its size; nullptr when that part is empty or memory runs out.
uint8_t* crop_rectangle(const uint8_t* canvas, int canvas_width, int canvas_height, CropRect rect,
                        int* out_width, int* out_height);
