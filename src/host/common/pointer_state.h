// The shared pointer state written by the window procedures (GUI thread) and polled by the
// application thread through read_pointer / take_pointer / wait_click.
#pragma once

#include <atomic>
#include <cstdint>

enum class PointerButton { right = 1, left = 2 };

// One button's held flag, kept with what a quick click needs: a press that is released before any
// poll has read it stays held until one poll has read it, so no click is lost between two polls.
class ButtonRecord {
public:
    // 1 while a press is recorded (neither released after a poll saw it, nor taken), else 0.
    int held() const;
    void press();
    void release();
    // A poll's reading of the flag. Reading counts as seeing the press: a release that came
    // before this poll applies right after it.
    int poll();
    // Clears the flag a poll has just reported as 1, unless a new press has come since.
    void take();
    void reset();

private:
    static constexpr int32_t HELD = 1;
    static constexpr int32_t UNSEEN = 2;    // no poll has read this press yet
    static constexpr int32_t RELEASED = 4;  // released while UNSEEN: applies at the next poll
    std::atomic<int32_t> bits_{0};
};

struct PointerState {
    ButtonRecord right;
    ButtonRecord left;
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
// A button went up at client pixel (x, y) of the window that received it: the release is recorded
// at once, each coordinate kept as its unsigned low 16 bits (as a window message carries it), and
// the held flag becomes 0 (once a poll has read the press, see ButtonRecord).
void pointer_button_up(PointerButton button, int x, int y);
// The held flags as one poll of read_pointer_screen reads them (every backend reads them here).
void pointer_poll_buttons(int* right, int* left);
