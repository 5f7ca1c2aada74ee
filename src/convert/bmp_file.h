// The 1-bit BMP files the converter writes: a 62-byte header with a white/black palette and
// rows stored bottom row first, each row a whole number of 32-bit words.
#pragma once

#include <cstdint>

constexpr int32_t BMP_HEADER_SIZE = 62;

// Fills header[0 .. 61] for a width x height picture (width a multiple of 32, both >= 0).
void make_bmp_header(int32_t width, int32_t height, uint8_t header[BMP_HEADER_SIZE]);
