// The shared pointer state written by the window procedures (GUI thread) and polled by the
// application thread through read_pointer / take_pointer / wait_click.
#pragma once

#include <atomic>
#include <cstdint>

enum class PointerButton { right = 1, left = 2 };

struct PointerState {
    std::atomic<int32_t> right_held{0};
    std::atomic<int32_t> left_held{0};
    std::atomic<int32_t> release_x{0};       // client pixels, unsigned 16-bit
    std::atomic<int32_t> release_y{0};       // client pixels, unsigned 16-bit
    std::atomic<int32_t> release_button{2};  // 1 right, 2 left
};

// The one pointer state of the process.
PointerState& pointer_state();
// Back to the initial values (both flags 0, last release (0, 0) with button 2).
void pointer_reset();

// A button went down in either window: its held flag becomes 1. Capturing the mouse is the
// backend's business.
void pointer_button_down(PointerButton button);
// A button went up at client pixel (x, y) of the window that received it: its held flag becomes 0
// and the release is recorded, each coordinate kept as its unsigned low 16 bits (as a window
// message carries it).
void pointer_button_up(PointerButton button, int x, int y);
