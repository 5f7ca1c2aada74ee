// Playback of the animation on the canvas, timed on the host's tick counter.
#pragma once

#include <cstdint>

// Milliseconds one frame stays on screen at `speed` frames per second.
uint32_t frame_period_ms(int speed);

// Plays frames start ... frame_count - 1; the left button pauses while held, the right button
// stops. The frame shown last becomes the current frame. True when the right button stopped it.
bool play_frames(int start);
