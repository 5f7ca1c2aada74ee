// The pixel array of one BMP file, made straight from a frame's runs: the picture at the output
// size, rows bottom row first, 8 pixels per byte with the leftmost in bit 7, a set bit for ink
// (palette entry 1, black).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "anim/frame.h"

// Which picture pixel each output pixel shows: output column c takes picture column
// source_column[c] and output row r picture row source_row[r], stepping in 20.12 fixed point
// (step = picture size * 4096 / output size) as the scaled blit does. The inverse maps let a
// run be placed without visiting its pixels: picture row y is output row output_row[y] (-1: not
// shown), and picture columns x .. x + n - 1 are output columns first_column[x] ..
// first_column[x + n] - 1.
struct OutputSampling {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint16_t> source_column;
    std::vector<uint16_t> source_row;
    std::vector<int16_t> output_row;     // CANVAS_HEIGHT entries
    std::vector<uint16_t> first_column;  // CANVAS_WIDTH + 1 entries
    // One row of output bits as 64-bit words, most significant bit leftmost, for every row.
    std::unique_ptr<uint64_t[]> row_words;
};

// For an output of 1 .. 320 by 1 .. 240 pixels, width a multiple of 8.
OutputSampling make_output_sampling(int32_t width, int32_t height);

// Writes the width * height / 8 bytes of the frame's pixel array into `out`. Runs past the end of
// the picture are dropped; pixels no run reaches (an empty or short frame) are paper, the
// picture of a frame never drawn on. Uses the sampling's row words as its work area.
void make_bmp_pixels(const Frame* frame, OutputSampling* sampling, uint8_t* out);
