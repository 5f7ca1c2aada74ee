#include <cstring>

#include "editor/session/animation.h"
#include "editor/commands.h"
#include "host/host.h"
#include "raster/raster.h"

void undo_drawing() {
    const VirtualScreen& screen = virtual_screen();
    fill_bytes(screen.bits, screen.width, screen.height, CANVAS_PAPER);
    draw_frame(screen.bits, screen.width, screen.height, animation_state().undo_frame, CANVAS_INK,
               CANVAS_PAPER);
    store_current_frame();
}

void clear_frame() {
    const VirtualScreen& screen = virtual_screen();
    fill_bytes(screen.bits, screen.width, screen.height, CANVAS_PAPER);
    set_print_values(CANVAS_INK, CANVAS_PAPER);
    print_page(animation().current_frame);
    store_undo_frame();
    fill_bytes(screen.bits, screen.width, screen.height, CANVAS_PAPER);
    Animation& anim = animation();
    compress_canvas(screen.bits, screen.width, screen.height, &anim.frames[anim.current_frame]);
}

namespace {

// The empty frame shows as white wherever it is drawn, so its inverse is the all-black picture;
// toggling its (absent) tokens would leave a fresh frame white.
void make_all_ink(Frame** slot) {
    constexpr int32_t tokens = FRAME_PIXELS / MAX_RUN;
    Frame* ink = allocate_frame(tokens, animation_state().allocate);
    if (ink == nullptr) return;
    std::memset(frame_tokens(ink), FULL_INK_RUN, tokens);
    free_frame(*slot);
    *slot = ink;
}

}  // namespace

void invert_frame() {
    Animation& anim = animation();
    Frame*& frame = anim.frames[anim.current_frame];
    if (frame->token_count == 0) {
        make_all_ink(&frame);
        return;
    }
    uint8_t* tokens = frame_tokens(frame);
    for (int32_t i = 0; i < frame->token_count; ++i) tokens[i] ^= 0x80;
}
