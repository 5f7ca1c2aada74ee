// Feeds arbitrary bytes to the animation file reader and draws every frame it accepts, so any
// read or write outside a buffer shows up under the sanitizers.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "anim/animation_file.h"
#include "anim/run_length.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
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
    std::vector<uint8_t> canvas(FRAME_PIXELS, 0);
    std::vector<uint8_t> small(7 * 3, 0);
    for (int32_t i = 0; i < result.frames_read; ++i) {
        if (table[i] == nullptr) {
            __builtin_trap();
        }
        if (!result.raw_frames) {
            draw_frame(canvas.data(), CANVAS_WIDTH, CANVAS_HEIGHT, table[i], 10, 255);
            draw_frame(small.data(), 7, 3, table[i], 10, 0);
            frame_pixel_count(table[i]);
        }
    }
    free_frames(table.data(), result.frames_read);
    return 0;
}
