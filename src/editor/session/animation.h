// The editor's animation: the frame table, the undo frame, the print values and the transfer
// between frames and the host's canvas. Only the application thread touches it.
#pragma once

#include <cstdint>

#include "anim/animation_file.h"
#include "anim/frame.h"
#include "anim/run_length.h"

struct Animation {
    // MAX_FRAMES slots; slots 0 .. frame_count - 1 each hold a valid frame that the table owns.
    // Slots past frame_count are not owned and may hold stale pointers.
    Frame** frames = nullptr;
    // 1 .. MAX_FRAMES - 1 once initialised: an animation always has at least one frame, so every
    // command has a counted frame to draw into and save.
    int32_t frame_count = 0;
    int32_t current_frame = 0;
    // Frames per second: 1 .. 60 from the speed dialog, or as a loaded file stored it (possibly
    // below 1; playback times frames with playable_speed).
    int32_t speed = DEFAULT_SPEED;
};

// The values print_page paints ink and paper runs with; 0 leaves a pixel unchanged.
struct PrintValues {
    uint8_t ink_value = 0;
    uint8_t paper_value = 0;
};

// Canvas values of the older 1-bit frames: entry [n][j] is for bit j of the 4-bit value n.
struct RawBitTable {
    uint8_t entries[16][4] = {};
};

struct AnimationState {
    Animation animation;
    // The snapshot the undo command restores; outside the table.
    Frame* undo_frame = nullptr;
    PrintValues print;
    RawBitTable raw_bits;
    BlockAllocator allocate = allocate_block;
    // compress_canvas writes tokens here first, then copies them into a block of the exact size.
    uint8_t scratch[FRAME_PIXELS] = {};
};

// The editor's one animation state.
AnimationState& animation_state();
Animation& animation();

// Fresh animation: table allocated, slot 0 the empty frame, frame_count 1, current_frame 0,
// speed 5, undo frame empty, print values 0. Releases what was held before. 0, or -1 when memory
// runs out (then nothing is held).
int init_animation();
// Frees frames 0 .. frame_count - 1, the table and the undo frame.
void release_animation();

// Encodes a byte image into a new frame and stores it in *slot, freeing the frame held there.
// Returns the token count, or -1 when the tokens would not fit the scratch area (more than
// FRAME_PIXELS) or memory runs out; then *slot keeps the frame it held.
int32_t compress_canvas(const uint8_t* bits, int32_t width, int32_t height, Frame** slot);

void set_print_values(uint8_t ink_value, uint8_t paper_value);
// Draws frame `index` onto the canvas with the print values; an index outside
// 0 .. frame_count - 1 prints "error in print_page" and changes nothing.
void print_page(int32_t index);

void set_raw_bit_values(uint8_t zero_value, uint8_t one_value);
// Draws frame `index`, which holds a raw 1-bit block, through the raw bit table (0 entries leave
// the pixel unchanged). Same index check and message as print_page.
void print_raw_page(int32_t index);

// compress_canvas of the canvas into the current frame's slot / into the undo frame.
int32_t store_current_frame();
int32_t store_undo_frame();
