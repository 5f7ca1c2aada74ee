// The output size the two scroll bars choose, and how each scroll action changes it.
#pragma once

#include <cstdint>

#include "raster/canvas.h"

constexpr int32_t MAX_OUTPUT_WIDTH = CANVAS_WIDTH;
constexpr int32_t MAX_OUTPUT_HEIGHT = CANVAS_HEIGHT;
constexpr int32_t OUTPUT_WIDTH_STEP = 32;  // keeps every 1-bit row a whole number of 32-bit words
constexpr int32_t OUTPUT_HEIGHT_STEP = 2;
constexpr int32_t SCROLL_PAGE_SIZE = 10;

// Limits the size to 1 .. 320 by 1 .. 240 and rounds it down to a multiple of 32 (width) and
// 2 (height). A size that would round down to nothing becomes the smallest step instead, so every
// written file holds a picture.
void clamp_output_size(int32_t* width, int32_t* height);

enum class ScrollAction {
    line_back,       // line left / line up
    line_forward,    // line right / line down
    page_back,       // page left / page up
    page_forward,    // page right / page down
    thumb_position,  // thumb released
    thumb_track,     // thumb being dragged
    other,           // end of scroll, top, bottom, ...
};

// The value after a scroll action and whether it must now be clamped. While the thumb is dragged
// the raw position is shown and kept unclamped until it is released.
struct ScrollResult {
    int32_t value;
    bool clamp;
};
ScrollResult scroll_output_width(int32_t width, ScrollAction action, int32_t thumb);
ScrollResult scroll_output_height(int32_t height, ScrollAction action, int32_t thumb);
