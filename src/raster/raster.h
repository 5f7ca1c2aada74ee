// Raster primitives on 8-bit pixel buffers (one byte per pixel, rows contiguous, row length equal
// to the width). They hold no state, allocate nothing but flip_rows' one-row temporary, and never
// write outside the buffer they are given.
#pragma once

#include <cstdint>

// A byte-per-pixel image passed by reference to its pixels.
struct ImageRef {
    uint8_t* bits = nullptr;
    int32_t width = 0;
    int32_t height = 0;
};

void set_image_ref(ImageRef* image, uint8_t* bits, int32_t width, int32_t height);
ImageRef make_image_ref(uint8_t* bits, int32_t width, int32_t height);

// Sets width * rows consecutive bytes to the low 8 bits of value.
void fill_bytes(uint8_t* bits, int32_t width, int32_t rows, int32_t value);
// Rows 0 .. split-1 get value_top, rows split .. height-1 value_bottom; split is clamped to
// 0 .. height.
void fill_two_bands(uint8_t* bits, int32_t width, int32_t height, int32_t split, int32_t value_top,
                    int32_t value_bottom);
// Stores the address of pixel (x, y) in *out and returns 0, or returns -1 outside the image.
int pixel_address(const ImageRef& image, int32_t x, int32_t y, uint8_t** out);
// Single-pixel line in 16.12 fixed point: n = floor(length) points from (x1, y1); the end point
// is not drawn unless rounding reaches it, and row 0 and column 0 are never written.
void draw_line(uint8_t* bits, int32_t width, int32_t height, int32_t x1, int32_t y1, int32_t x2,
               int32_t y2, int32_t value);
// Stamps `brush` (brush_size x brush_size bytes, 0 transparent), stretched to size x size, with
// its top-left corner at each of the floor(length) + 1 points of the same fixed-point walk as
// draw_line; nothing for a segment shorter than 1.
void stamp_along_line(uint8_t* bits, int32_t width, int32_t height, int32_t x1, int32_t y1,
                      int32_t x2, int32_t y2, const uint8_t* brush, int32_t brush_size,
                      int32_t size);
// Rectangle outline of `thickness` lines growing right and down from the ordered corners.
void draw_thick_box(uint8_t* bits, int32_t width, int32_t height, int32_t x1, int32_t y1,
                    int32_t x2, int32_t y2, int32_t thickness, int32_t value);
// Copies the non-zero bytes of src with its top-left corner at (x, y), clipped.
void blit_transparent(uint8_t* dst, int32_t dst_width, int32_t dst_height, const uint8_t* src,
                      int32_t src_width, int32_t src_height, int32_t x, int32_t y);
// Nearest-neighbour stretch of src to out_width x out_height at (x, y), clipped, copying only
// non-zero bytes. Sources shrunk more than 4096 times draw nothing.
void blit_scaled_transparent(uint8_t* dst, int32_t dst_width, int32_t dst_height,
                             const uint8_t* src, int32_t src_width, int32_t src_height, int32_t x,
                             int32_t y, int32_t out_width, int32_t out_height);
// Turns the image upside down in place.
void flip_rows(uint8_t* bits, int32_t width, int32_t rows);
