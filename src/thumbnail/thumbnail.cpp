#include "thumbnail/thumbnail.h"

#include <algorithm>

#include "anim/run_length.h"

namespace {

void draw_paper_and_ink(const Frame* frame, std::vector<uint8_t>* pixels) {
    std::fill(pixels->begin(), pixels->end(), CANVAS_PAPER);
    draw_frame(pixels->data(), CANVAS_WIDTH, CANVAS_HEIGHT, frame, CANVAS_INK, CANVAS_PAPER);
}

bool has_ink(const std::vector<uint8_t>& pixels) {
    return std::find(pixels.begin(), pixels.end(), CANVAS_INK) != pixels.end();
}

}  // namespace

ReadStatus make_thumbnail_picture(const char* path, ThumbnailPicture* picture) {
    picture->pixels.clear();
    std::vector<Frame*> frames(MAX_FRAMES, nullptr);
    const ReadResult result = read_animation_file(path, frames.data(), ReadOptions{});
    if (result.status == ReadStatus::ok) {
        std::vector<uint8_t> pixels(FRAME_PIXELS, CANVAS_PAPER);
        for (int32_t index = 0; index < result.frames_read; ++index) {
            draw_paper_and_ink(frames[index], &pixels);
            if (has_ink(pixels)) break;
        }
        picture->pixels = std::move(pixels);
    }
    free_frames(frames.data(), result.frames_read);
    return result.status;
}

ThumbnailSize thumbnail_size(int32_t longest) {
    if (longest < 1) return {0, 0};
    if (longest >= CANVAS_WIDTH) {
        const int32_t factor = longest / CANVAS_WIDTH;
        return {CANVAS_WIDTH * factor, CANVAS_HEIGHT * factor};
    }
    return {longest, std::max<int32_t>(1, longest * CANVAS_HEIGHT / CANVAS_WIDTH)};
}
