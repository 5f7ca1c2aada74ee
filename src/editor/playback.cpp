// Playback: frames shown in black and white, each one period after the previous was released.
#include "editor/playback.h"

#include <cstdio>

#include "editor/session/animation.h"
#include "editor/commands.h"
#include "editor/session/editor_texts.h"
#include "host/host.h"
#include "raster/raster.h"

uint32_t frame_period_ms(int speed) { return static_cast<uint32_t>(1000 / playable_speed(speed)); }

static void print_number_line(const char* format, int number) {
    char line[96];
    std::snprintf(line, sizeof line, format, number);
    print_text(line);
}

static void wait_until_period_passed(uint32_t* last_tick, uint32_t period) {
    // Unsigned difference survives the counter's wrap; the host may yield inside tick_count.
    uint32_t now = tick_count();
    while (now - *last_tick < period) {
        now = tick_count();
    }
    *last_tick = now;
}

// Frames are drawn opaque, but the empty frame has no runs at all: whitening first shows it as
// paper instead of whatever the canvas held before (the menu page, the last frame of a loop).
static void show_frame(int index) {
    const VirtualScreen& screen = virtual_screen();
    fill_bytes(screen.bits, screen.width, screen.height, CANVAS_PAPER);
    print_page(index);
    present_screen();
}

// True when the right button was pressed during the pause: a quick click then is seen by no
// later reading, so the caller keeps it for the next frame.
static bool right_pressed_until_left_released() {
    int x, y, right, left = 1;
    bool right_pressed = false;
    while (left) {
        read_pointer(&x, &y, &right, &left);
        right_pressed = right_pressed || right;
    }
    return right_pressed;
}

bool play_frames(int start) {
    Animation& anim = animation();
    const uint32_t period = frame_period_ms(anim.speed);
    uint32_t last_tick = tick_count();
    set_print_values(CANVAS_INK, CANVAS_PAPER);

    clear_text();
    set_text_pos(0, 0);
    print_number_line(FORMAT_PLAYING_FRAME, anim.current_frame);
    print_number_line(FORMAT_FRAMES_PER_SECOND, anim.speed);
    print_number_line(FORMAT_FRAME_TOTAL, anim.frame_count);
    print_text(TEXT_PLAYBACK_HINT);

    anim.current_frame = start;
    bool right_in_pause = false;
    while (anim.current_frame < anim.frame_count) {
        set_text_pos(0, 0);
        print_number_line(FORMAT_PLAYING_FRAME, anim.current_frame);
        int x, y, right, left;
        read_pointer(&x, &y, &right, &left);
        right = right || right_in_pause;
        wait_until_period_passed(&last_tick, period);
        show_frame(anim.current_frame);
        if (left) {
            right_in_pause = right_pressed_until_left_released();
        }
        if (right) {
            return true;
        }
        anim.current_frame += 1;
    }
    anim.current_frame = anim.frame_count > 0 ? anim.frame_count - 1 : 0;
    return false;
}

void play_from_start() { play_frames(0); }

void play_from_chosen_frame() {
    Animation& anim = animation();
    clear_text();
    print_text(TEXT_PLAY_FROM_PROMPT);
    // The dialog counts from 1 but its number is the zero-based start: 1 starts at the second frame.
    int value = anim.current_frame;
    if (input_value(anim.frame_count, 1, &value) != 0) {
        return;
    }
    play_frames(value < 0 ? 0 : value);
}

void play_loop() {
    for (;;) {
        int x, y, right, left;
        read_pointer(&x, &y, &right, &left);
        // A quick click that stopped the pass is spent by then: the pass says so itself.
        if (right || play_frames(0)) {
            return;
        }
    }
}

void set_speed() {
    Animation& anim = animation();
    clear_text();
    int value = anim.speed;
    print_text(TEXT_SPEED_PROMPT);
    if (input_value(60, 1, &value) == 0) {
        anim.speed = value < 1 ? 1 : value > 60 ? 60 : value;
    }
}
