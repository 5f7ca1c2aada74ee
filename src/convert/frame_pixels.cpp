#include "convert/frame_pixels.h"

#include "anim/run_length.h"
#include "raster/raster.h"

void decode_frame_pixels(const Frame* frame, uint8_t* pixels) {
    fill_bytes(pixels, CANVAS_WIDTH, CANVAS_HEIGHT, DECODED_PAPER);
    draw_frame(pixels, CANVAS_WIDTH, CANVAS_HEIGHT, frame, DECODED_INK, DECODED_PAPER);
}
