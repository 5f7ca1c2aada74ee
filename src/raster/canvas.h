// The canvas the editor draws on and every file stores: its size and its two colours (palette
// indices: ink is black, paper white).
#pragma once

#include <cstdint>

constexpr int32_t CANVAS_WIDTH = 320;
constexpr int32_t CANVAS_HEIGHT = 240;
constexpr uint8_t CANVAS_INK = 10;
constexpr uint8_t CANVAS_PAPER = 255;
