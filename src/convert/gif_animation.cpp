#include "convert/gif_animation.h"

#include <algorithm>
#include <cstring>

#include "anim/animation_file.h"
#include "anim/run_length.h"
#include "convert/gif_timing.h"
#include "convert/gif_writer.h"

namespace {

void draw_picture(const Frame* frame, uint8_t* bits) {
    std::memset(bits, CANVAS_PAPER, FRAME_PIXELS);
    draw_frame(bits, CANVAS_WIDTH, CANVAS_HEIGHT, frame, CANVAS_INK, CANVAS_PAPER);
}

// The smallest rectangle holding every pixel that differs; width 0 when none does.
GifRect changed_rect(const uint8_t* before, const uint8_t* after) {
    GifRect rect;
    int32_t top = -1;
    int32_t bottom = -1;
    int32_t left = CANVAS_WIDTH;
    int32_t right = -1;
    for (int32_t y = 0; y < CANVAS_HEIGHT; ++y) {
        const uint8_t* a = before + y * CANVAS_WIDTH;
        const uint8_t* b = after + y * CANVAS_WIDTH;
        if (std::memcmp(a, b, CANVAS_WIDTH) == 0) continue;
        if (top < 0) top = y;
        bottom = y;
        // Only columns outside those already known to change can widen the rectangle.
        if (left > 0 && std::memcmp(a, b, static_cast<size_t>(left)) != 0) {
            int32_t x = 0;
            while (a[x] == b[x]) ++x;
            left = x;
        }
        const int32_t beyond = right + 1;
        if (beyond < CANVAS_WIDTH &&
            std::memcmp(a + beyond, b + beyond, static_cast<size_t>(CANVAS_WIDTH - beyond)) != 0) {
            int32_t x = CANVAS_WIDTH - 1;
            while (a[x] == b[x]) --x;
            right = x;
        }
    }
    if (top < 0) return rect;
    rect.left = left;
    rect.top = top;
    rect.width = right - left + 1;
    rect.height = bottom - top + 1;
    return rect;
}

// The rectangle of the picture (in picture pixels) as colour indices, each pixel scale x scale.
void take_pixels(const uint8_t* picture, const GifRect& rect, int32_t scale,
                 std::vector<uint8_t>* out) {
    const size_t row_length = static_cast<size_t>(rect.width) * scale;
    out->resize(row_length * rect.height * scale);
    uint8_t* at = out->data();
    for (int32_t y = rect.top; y < rect.top + rect.height; ++y) {
        const uint8_t* row = at;
        const uint8_t* source = picture + y * CANVAS_WIDTH + rect.left;
        if (scale == 1) {
            // Kept apart so that the compiler can do many pixels at once.
            for (int32_t x = 0; x < rect.width; ++x)
                at[x] = source[x] == CANVAS_INK ? GIF_INK : GIF_PAPER;
            at += rect.width;
            continue;
        }
        for (int32_t x = 0; x < rect.width; ++x) {
            const uint8_t index = source[x] == CANVAS_INK ? GIF_INK : GIF_PAPER;
            for (int32_t i = 0; i < scale; ++i) *at++ = index;
        }
        for (int32_t i = 1; i < scale; ++i, at += row_length) std::memcpy(at, row, row_length);
    }
}

GifRect scaled(const GifRect& rect, int32_t scale) {
    return {rect.left * scale, rect.top * scale, rect.width * scale, rect.height * scale};
}

}  // namespace

std::vector<uint8_t> encode_gif_animation(const Frame* const* frames, int32_t frame_count,
                                          int32_t speed, const GifChoices& choices,
                                          const GifProgress& progress) {
    const int32_t scale = std::clamp(choices.scale, MIN_GIF_SCALE, MAX_GIF_SCALE);
    std::vector<uint8_t> gif;
    gif_start(&gif, CANVAS_WIDTH * scale, CANVAS_HEIGHT * scale, choices.loop_forever);
    std::vector<uint8_t> shown(FRAME_PIXELS);
    std::vector<uint8_t> next(FRAME_PIXELS);
    std::vector<uint8_t> pixels;
    size_t delay_at = 0;
    int32_t delay = 0;
    bool first = true;
    for (const ShownFrame& step : gif_frame_schedule(frame_count, playable_speed(speed))) {
        if (progress.frame_started != nullptr) progress.frame_started(progress.context, step.frame);
        draw_picture(frames[step.frame], next.data());
        GifRect rect = {0, 0, CANVAS_WIDTH, CANVAS_HEIGHT};
        // A delay too long for one image goes on in an image of one unchanged pixel.
        bool carries_delay = false;
        if (!first) {
            rect = changed_rect(shown.data(), next.data());
            if (rect.width == 0) {
                if (delay + step.delay <= GIF_MAX_DELAY) {
                    delay += step.delay;
                    gif_set_delay(&gif, delay_at, delay);
                    continue;
                }
                rect = {0, 0, 1, 1};
                carries_delay = true;
            }
        }
        first = false;
        const int32_t image_scale = carries_delay ? 1 : scale;
        take_pixels(next.data(), rect, image_scale, &pixels);
        delay = step.delay;
        delay_at = gif_add_image(&gif, scaled(rect, image_scale), pixels.data(), delay);
        shown.swap(next);
    }
    gif_finish(&gif);
    return gif;
}
