// Expands one run-length frame into the converter's byte-per-pixel picture.
#pragma once

#include <cstdint>

#include "anim/frame.h"

// Pixel values of the decoded picture: both non-zero, so the transparent scaled blit copies them.
constexpr uint8_t DECODED_INK = 0xFF;
constexpr uint8_t DECODED_PAPER = 0x0A;

// Paints the frame into `pixels` (FRAME_PIXELS bytes, 320 x 240, top row first). Runs past the
// end of the picture are dropped; pixels no run reaches (an empty or short frame) are paper, the
// picture of a frame never drawn on.
void decode_frame_pixels(const Frame* frame, uint8_t* pixels);
