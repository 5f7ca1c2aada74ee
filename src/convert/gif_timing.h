// When each frame of an animation is shown in its GIF. Frame k starts at round(k * 100 / speed)
// hundredths of a second, so the whole animation lasts frames / speed seconds however the
// delays round. GIF players show delays below 2 hundredths far slower, so above 50 frames per
// second frames are left out evenly: the GIF then shows, every 2 hundredths, the frame due at
// that moment.
#pragma once

#include <cstdint>
#include <vector>

constexpr int32_t GIF_MIN_DELAY = 2;

struct ShownFrame {
    int32_t frame;  // index into the animation
    int32_t delay;  // hundredths of a second, at least GIF_MIN_DELAY
};

// The frames to show, in order, for frame_count >= 1 frames at `speed` (>= 1) frames per second.
std::vector<ShownFrame> gif_frame_schedule(int32_t frame_count, int32_t speed);
