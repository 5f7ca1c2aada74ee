// Feeds arbitrary bytes to the animation file reader and draws every frame it accepts, so any
// read or write outside a buffer shows up under the sanitizers, and any pixel the fast drawing
// gets wrong shows up beside a plain loop over the tokens.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "anim/animation_file.h"
#include "anim/run_length.h"

namespace {

// What the tokens mean, one pixel at a time: a value of 0 leaves its pixels alone.
void draw_plainly(uint8_t* bits, std::size_t pixels, const Frame* frame, uint8_t ink,
                  uint8_t paper) {
    const uint8_t* tokens = frame_tokens(frame);
    std::size_t at = 0;
    for (int32_t i = 0; i < frame->token_count && at < pixels; ++i) {
        const bool is_ink = tokens[i] < 128;
        const std::size_t length = is_ink ? tokens[i] + 1u : tokens[i] - 127u;
        const uint8_t value = is_ink ? ink : paper;
        for (std::size_t k = 0; k < length && at < pixels; ++k, ++at) {
            if (value != 0) bits[at] = value;
        }
    }
}

void draw_and_compare(std::vector<uint8_t>& target, int32_t width, int32_t height,
                      const Frame* frame, uint8_t ink, uint8_t paper) {
    std::vector<uint8_t> expected = target;
    draw_plainly(expected.data(), expected.size(), frame, ink, paper);
    draw_frame(target.data(), width, height, frame, ink, paper);
    if (std::memcmp(target.data(), expected.data(), target.size()) != 0) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte picks the reader's mode, so both the editor's and the other programs' paths
    // are explored.
    ReadOptions options;
    options.accept_raw_frames = (data[0] & 1) != 0;
    std::vector<Frame*> table(MAX_FRAMES, nullptr);
    const ReadResult result = read_animation_bytes(data + 1, size - 1, table.data(), options);
    if (result.frames_read < 0 || result.frames_read > MAX_FRAMES - 1) {
        __builtin_trap();
    }
    std::vector<uint8_t> canvas(FRAME_PIXELS, 7);
    std::vector<uint8_t> small(7 * 3, 7);
    for (int32_t i = 0; i < result.frames_read; ++i) {
        if (table[i] == nullptr) {
            __builtin_trap();
        }
        if (!result.raw_frames) {
            draw_and_compare(canvas, CANVAS_WIDTH, CANVAS_HEIGHT, table[i], 10, 255);
            draw_and_compare(small, 7, 3, table[i], 10, 0);
            frame_pixel_count(table[i]);
        }
    }
    free_frames(table.data(), result.frames_read);
    return 0;
}
