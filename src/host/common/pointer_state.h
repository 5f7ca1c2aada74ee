// The shared pointer state written by the window procedures (GUI thread) and polled by the
// application thread through read_pointer / take_pointer / wait_click.
#pragma once

#include <atomic>
#include <cstdint>

enum class PointerButton { right = 1, left = 2 };

// One button's held flag. A press is latched until a read that acts on it has reported it, so a
// click shorter than the gap between two polls reaches the loop that acts on it, however many
// readings of the position alone come in between.
class ButtonRecord {
public:
    // 1 while the button is down or a press is latched, else 0: the flag, spending nothing.
    int held() const;
    void press();
    void release();
    // The flag; a latched press counts as reported.
    int read();
    // The flag, cleared until the next press (even while the button stays down).
    int take();

private:
    static constexpr int32_t DOWN = 1;
    static constexpr int32_t LATCHED = 2;  // pressed, and not yet reported by a read
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
// the held flag becomes 0 (once a read has reported the press, see ButtonRecord).
void pointer_button_up(PointerButton button, int x, int y);
// Every recorded press and latch goes: a click made while the editor could not act on it (a modal
// dialog was open, the application was paused) must not act later on whatever is under the
// pointer. A button still down counts again from its next press.
void pointer_forget_clicks();

// Declared where a host shows a modal dialog or box: the clicks that came while it was open are
// forgotten when it closes, whichever way the function returns.
class ClicksOfDialogForgotten {
public:
    ClicksOfDialogForgotten() = default;
    ~ClicksOfDialogForgotten() { pointer_forget_clicks(); }
    ClicksOfDialogForgotten(const ClicksOfDialogForgotten&) = delete;
    ClicksOfDialogForgotten& operator=(const ClicksOfDialogForgotten&) = delete;
};

// What a poll does with the presses it reports: position-only readings (read_pointer_screen called
// by the editor) spend nothing, read_pointer and wait_click spend latches, take_pointer clears.
enum class PollKind { peek, read, take };
// For as long as it lives, polls on this thread are of the given kind.
class PollScope {
public:
    explicit PollScope(PollKind kind);
    ~PollScope();
    PollScope(const PollScope&) = delete;
    PollScope& operator=(const PollScope&) = delete;

private:
    PollKind previous_;
};
// The held flags as one poll of read_pointer_screen reads them (every backend reads them here),
// treated as the current PollScope says (peek outside any).
void pointer_poll_buttons(int* right, int* left);
