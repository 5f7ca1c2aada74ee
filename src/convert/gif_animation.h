// An animation's frames as one animated GIF, in memory: the first frame whole, then for each
// frame only the rectangle that changed since the frame before, drawn over it; a frame equal to
// the one before only lengthens the shown frame's delay. Pictures are the frames as the editor
// shows them (an empty or short frame is paper where no run reaches), each pixel enlarged to
// scale x scale pixels.
#pragma once

#include <cstdint>
#include <vector>

#include "anim/frame.h"

constexpr int32_t MIN_GIF_SCALE = 1;
constexpr int32_t MAX_GIF_SCALE = 4;

struct GifChoices {
    int32_t scale = 1;  // MIN_GIF_SCALE .. MAX_GIF_SCALE
    bool loop_forever = true;
};

struct GifProgress {
    void* context = nullptr;
    // Called before each frame that is shown, with its index.
    void (*frame_started)(void* context, int32_t index) = nullptr;
};

// frames[0 .. frame_count - 1] (frame_count >= 1) at `speed` frames per second (a speed below 1
// plays as the editor plays it).
std::vector<uint8_t> encode_gif_animation(const Frame* const* frames, int32_t frame_count,
                                          int32_t speed, const GifChoices& choices,
                                          const GifProgress& progress = {});
