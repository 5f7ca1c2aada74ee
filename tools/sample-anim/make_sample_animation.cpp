// Writes the sample animation delivered with the kit: a ball bouncing over the ground, one
// bounce per loop, drawn with the raster primitives and stored with the animation writer.
//   make_sample_animation OUTPUT.mpa
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include "anim/animation_file.h"
#include "anim/run_length.h"
#include "raster/raster.h"

namespace {

constexpr int FRAME_COUNT = 16;
constexpr int SPEED = 12;
constexpr int GROUND_Y = 200;
constexpr int RADIUS = 18;

void draw_disc(uint8_t* canvas, int cx, int cy, int rx, int ry) {
    for (int dy = -ry; dy <= ry; ++dy) {
        const double t = double(dy) / ry;
        const int half = int(std::lround(rx * std::sqrt(1.0 - t * t)));
        // draw_line leaves out its end point, so reach one pixel further.
        draw_line(canvas, CANVAS_WIDTH, CANVAS_HEIGHT, cx - half, cy + dy, cx + half + 1, cy + dy,
                  CANVAS_INK);
    }
}

std::vector<uint8_t> draw_picture(int index) {
    std::vector<uint8_t> canvas(FRAME_PIXELS, CANVAS_PAPER);
    draw_thick_box(canvas.data(), CANVAS_WIDTH, CANVAS_HEIGHT, 10, GROUND_Y, 309, GROUND_Y, 3,
                   CANVAS_INK);
    // Height of a parabola over one loop; the ball squashes where it meets the ground.
    const double phase = double(index) / FRAME_COUNT;
    const double height = 4.0 * phase * (1.0 - phase);
    const int x = 40 + index * 240 / (FRAME_COUNT - 1);
    const bool touching = index == 0;
    const int ry = touching ? RADIUS * 2 / 3 : RADIUS;
    const int rx = touching ? RADIUS * 4 / 3 : RADIUS;
    const int cy = GROUND_Y - ry - 1 - int(height * 140);
    draw_disc(canvas.data(), x, cy, rx, ry);
    return canvas;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample_animation OUTPUT.mpa\n");
        return 2;
    }
    std::vector<std::unique_ptr<Frame, void (*)(Frame*)>> frames;
    std::vector<const Frame*> table;
    std::vector<uint8_t> tokens(FRAME_PIXELS);
    for (int i = 0; i < FRAME_COUNT; ++i) {
        const std::vector<uint8_t> picture = draw_picture(i);
        const int32_t count =
            encode_runs(picture.data(), CANVAS_WIDTH, CANVAS_HEIGHT, tokens.data(), FRAME_PIXELS);
        Frame* frame = count < 0 ? nullptr : allocate_frame(count);
        if (!frame) {
            std::fprintf(stderr, "cannot encode frame %d\n", i);
            return 1;
        }
        std::copy(tokens.begin(), tokens.begin() + count, frame_tokens(frame));
        frames.emplace_back(frame, free_frame);
        table.push_back(frame);
    }
    const WriteResult result = write_animation_file(argv[1], table.data(), FRAME_COUNT, SPEED);
    if (result.status != WriteStatus::ok) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
