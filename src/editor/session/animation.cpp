#include "editor/session/animation.h"

#include <cstdlib>
#include <cstring>

#include "host/host.h"

namespace {

AnimationState g_state;

bool index_is_counted(int32_t index) {
    const Animation& anim = g_state.animation;
    return index >= 0 && index < anim.frame_count;
}

}  // namespace

AnimationState& animation_state() { return g_state; }

Animation& animation() { return g_state.animation; }

void release_animation() {
    Animation& anim = g_state.animation;
    if (anim.frames != nullptr) {
        free_frames(anim.frames, anim.frame_count);
        std::free(anim.frames);
    }
    anim = Animation{};
    free_frame(g_state.undo_frame);
    g_state.undo_frame = nullptr;
}

int init_animation() {
    release_animation();
    g_state.print = PrintValues{};
    Animation& anim = g_state.animation;
    anim.frames = static_cast<Frame**>(std::calloc(MAX_FRAMES, sizeof(Frame*)));
    g_state.undo_frame = new_empty_frame(g_state.allocate);
    if (anim.frames != nullptr) {
        anim.frames[0] = new_empty_frame(g_state.allocate);
    }
    if (anim.frames == nullptr || anim.frames[0] == nullptr || g_state.undo_frame == nullptr) {
        release_animation();
        return -1;
    }
    anim.frame_count = 1;
    anim.current_frame = 0;
    anim.speed = DEFAULT_SPEED;
    return 0;
}

int32_t compress_canvas(const uint8_t* bits, int32_t width, int32_t height, Frame** slot) {
    // The old frame is freed only once the new one exists, so the slot always holds a frame.
    Frame* frame = encode_frame(bits, width, height, g_state.scratch, g_state.allocate);
    if (frame == nullptr) {
        return -1;
    }
    free_frame(*slot);
    *slot = frame;
    return frame->token_count;
}

void set_print_values(uint8_t ink_value, uint8_t paper_value) {
    g_state.print = PrintValues{ink_value, paper_value};
}

void print_page(int32_t index) {
    if (!index_is_counted(index)) {
        print_text("error in print_page");
        return;
    }
    const VirtualScreen& screen = virtual_screen();
    if (screen.bits == nullptr) {
        return;
    }
    draw_frame(screen.bits, screen.width, screen.height, g_state.animation.frames[index],
               g_state.print.ink_value, g_state.print.paper_value);
}

void set_raw_bit_values(uint8_t zero_value, uint8_t one_value) {
    for (int n = 0; n < 16; ++n) {
        for (int j = 0; j < 4; ++j) {
            g_state.raw_bits.entries[n][j] = (n >> j & 1) != 0 ? one_value : zero_value;
        }
    }
}

void print_raw_page(int32_t index) {
    if (!index_is_counted(index)) {
        print_text("error in print_page");
        return;
    }
    const VirtualScreen& screen = virtual_screen();
    if (screen.bits == nullptr) {
        return;
    }
    const Frame* frame = g_state.animation.frames[index];
    const uint8_t* raw = frame_tokens(frame);
    const int64_t pixels = static_cast<int64_t>(screen.width) * screen.height;
    // A block shorter than a full picture (never read that way, but cheap to guard) draws less.
    const int32_t bytes =
        frame->token_count < RAW_FRAME_BYTES ? frame->token_count : RAW_FRAME_BYTES;
    int64_t position = 0;
    for (int32_t i = 0; i < bytes; ++i) {
        const int nibbles[2] = {raw[i] & 0x0F, raw[i] >> 4};
        for (int nibble : nibbles) {
            for (int j = 0; j < 4 && position < pixels; ++j, ++position) {
                const uint8_t value = g_state.raw_bits.entries[nibble][j];
                if (value != 0) {
                    screen.bits[position] = value;
                }
            }
        }
    }
}

int32_t store_current_frame() {
    Animation& anim = g_state.animation;
    if (!index_is_counted(anim.current_frame)) {
        return -1;
    }
    const VirtualScreen& screen = virtual_screen();
    return compress_canvas(screen.bits, screen.width, screen.height,
                           &anim.frames[anim.current_frame]);
}

int32_t store_undo_frame() {
    const VirtualScreen& screen = virtual_screen();
    return compress_canvas(screen.bits, screen.width, screen.height, &g_state.undo_frame);
}
