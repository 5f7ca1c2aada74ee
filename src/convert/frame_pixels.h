// Expands one run-length frame into the converter's 1-bit picture.
#pragma once

#include <cstdint>

#include "anim/frame.h"

// The picture as 64-bit words, five per 320-pixel row, top row first. Pixel i is bit 63 - i % 64
// of word i / 64 and is set for ink, so a word stored most significant byte first gives the
// 1-bit bytes of a BMP row: leftmost pixel in bit 7, ink set.
constexpr int32_t PICTURE_BITS_PER_WORD = 64;
constexpr int32_t PICTURE_WORDS_PER_ROW = CANVAS_WIDTH / PICTURE_BITS_PER_WORD;
constexpr int32_t PICTURE_WORDS = FRAME_PIXELS / PICTURE_BITS_PER_WORD;
static_assert(CANVAS_WIDTH % PICTURE_BITS_PER_WORD == 0);

// Paints the frame into `words` (PICTURE_WORDS). Runs past the end of the picture are dropped;
// pixels no run reaches (an empty or short frame) are paper, the picture of a frame never drawn on.
void decode_frame_bits(const Frame* frame, uint64_t* words);
