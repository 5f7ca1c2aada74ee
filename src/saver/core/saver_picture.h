// The saver's picture: 320 x 240 bytes, 0 black and 1 white.
#pragma once

#include <cstddef>
#include <cstdint>

#include "raster/canvas.h"

inline constexpr int32_t PICTURE_WIDTH = CANVAS_WIDTH;
inline constexpr int32_t PICTURE_HEIGHT = CANVAS_HEIGHT;
inline constexpr int32_t PICTURE_PIXELS = PICTURE_WIDTH * PICTURE_HEIGHT;
inline constexpr uint8_t PICTURE_BLACK = 0;
inline constexpr uint8_t PICTURE_WHITE = 1;

// Expands run tokens (0..127: t + 1 black pixels, 128..255: t - 127 white ones) into the
// picture from its top-left pixel, row after row, stopping when the picture is full. Pixels the
// runs do not reach are white, so an empty or short frame never shows what the picture held
// before. Returns the number of pixels the runs covered.
int32_t decode_frame_pixels(const uint8_t* tokens, int32_t token_count, uint8_t* picture);
