#include "convert/gif_timing.h"

#include <algorithm>

namespace {

// round(frame * 100 / speed), halves rounded up.
int64_t start_of(int64_t frame, int64_t speed) { return (frame * 200 + speed) / (2 * speed); }

}  // namespace

std::vector<ShownFrame> gif_frame_schedule(int32_t frame_count, int32_t speed) {
    const int64_t end = start_of(frame_count, speed);
    std::vector<ShownFrame> shown;
    // Each frame lasts 100 / speed >= 2 hundredths, and a rounded difference of two starts is
    // never below the whole part of that.
    if (speed <= 100 / GIF_MIN_DELAY) {
        shown.reserve(static_cast<size_t>(frame_count));
        for (int32_t k = 0; k < frame_count; ++k)
            shown.push_back({k, static_cast<int32_t>(start_of(k + 1, speed) - start_of(k, speed))});
        return shown;
    }
    // Moments 0, 2, 4, ...; the last one also takes an odd hundredth left at the end.
    const int64_t moments = std::max<int64_t>(end / GIF_MIN_DELAY, 1);
    int32_t frame = 0;
    for (int64_t j = 0; j < moments; ++j) {
        const int64_t at = j * GIF_MIN_DELAY;
        while (frame + 1 < frame_count && start_of(frame + 1, speed) <= at) ++frame;
        const int64_t delay =
            j + 1 < moments ? GIF_MIN_DELAY : std::max<int64_t>(end - at, GIF_MIN_DELAY);
        shown.push_back({frame, static_cast<int32_t>(delay)});
    }
    return shown;
}
