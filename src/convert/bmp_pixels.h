// The pixel array of one BMP file: the 1-bit picture at the output size, rows bottom row first,
// 8 pixels per byte with the leftmost in bit 7, a set bit for ink (palette entry 1, black).
#pragma once

#include <cstdint>
#include <vector>

// Which picture pixel each output pixel shows: output column c takes picture column
// source_column[c] and output row r picture row source_row[r], stepping in 20.12 fixed point
// (step = picture size * 4096 / output size) as the scaled blit does.
struct OutputSampling {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint16_t> source_column;
    std::vector<uint16_t> source_row;
};

// For an output of 1 .. 320 by 1 .. 240 pixels, width a multiple of 8.
OutputSampling make_output_sampling(int32_t width, int32_t height);

// Writes the width * height / 8 bytes of the pixel array of `picture` (decode_frame_bits).
void make_bmp_pixels(const uint64_t* picture, const OutputSampling& sampling, uint8_t* out);
