// The run-length codec between byte-per-pixel images and frames. Pixel value CANVAS_INK is ink,
// every other value is paper. Decoding never writes outside the target, whatever the tokens say.
#pragma once

#include <cstdint>

#include "anim/frame.h"

// Encodes the image in raster order into `out` (room for `capacity` tokens). A run longer than
// MAX_RUN becomes full runs of MAX_RUN followed by the remainder. Returns the token count, or -1
// for an empty or negative size or when the tokens would not fit.
int32_t encode_runs(const uint8_t* bits, int32_t width, int32_t height, uint8_t* out,
                    int32_t capacity);

// Encodes the image into a new frame of exactly its size, the tokens passing through `scratch`
// (room for FRAME_PIXELS tokens). Null when they would not fit or memory runs out.
Frame* encode_frame(const uint8_t* bits, int32_t width, int32_t height, uint8_t* scratch,
                    BlockAllocator allocate = allocate_block);

// Paints the frame's runs onto the image from its top-left pixel: ink runs with ink_value, paper
// runs with paper_value; a value of 0 leaves the pixels of that kind unchanged. Runs beyond the
// image's last pixel are dropped. Returns the frame's token count.
int32_t draw_frame(uint8_t* bits, int32_t width, int32_t height, const Frame* frame,
                   uint8_t ink_value, uint8_t paper_value);

// Number of pixels the frame's runs describe (FRAME_PIXELS for a whole picture, 0 for the empty
// frame); lets a reader tell a damaged record.
int64_t frame_pixel_count(const Frame* frame);
