// The saver's reading of an animation file: the shared reader with the saver's own checks and
// message boxes.
#pragma once

#include "anim/animation_file.h"
#include "anim/frame.h"
#include "saver/core/saver_platform.h"

#include <cstdint>
#include <memory>

// The frames of a loaded animation, released with it.
struct SaverAnimation {
    SaverAnimation();
    ~SaverAnimation();
    SaverAnimation(const SaverAnimation&) = delete;
    SaverAnimation& operator=(const SaverAnimation&) = delete;
    void release();

    std::unique_ptr<Frame*[]> table;  // MAX_FRAMES slots
    int32_t frame_count = 0;
    int32_t frames_per_second = DEFAULT_SPEED;
};

// Reads `path` into `animation`. A file that cannot be opened fails silently; every other refusal
// shows its message box owned by `owner` first. On failure the animation holds no frames.
bool load_saver_animation(const char* path, SaverAnimation* animation, SaverPlatform& platform,
                          WindowHandle owner);

// Milliseconds between two frames: 1000 / frames per second, at least 1 so that a very high speed
// still plays (0 would stop the ticks).
uint32_t saver_tick_interval(int32_t frames_per_second);
