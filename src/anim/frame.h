// A frame: one picture in run-length form, held as one heap block laid out exactly as an animation
// file stores it: a signed 32-bit token count followed by that many run tokens.
#pragma once

#include <cstddef>
#include <cstdint>

#include "raster/canvas.h"

constexpr int32_t FRAME_PIXELS = CANVAS_WIDTH * CANVAS_HEIGHT;
constexpr int32_t RAW_FRAME_BYTES = FRAME_PIXELS / 8;
constexpr int32_t MAX_FRAMES = 4096;
constexpr int32_t MAX_RUN = 128;

// Token t: 0..127 is an ink run of t + 1 pixels, 128..255 a paper run of t - 127 pixels.
constexpr uint8_t FULL_INK_RUN = 127;
constexpr uint8_t FULL_PAPER_RUN = 255;

// The tokens follow the count directly in the same block.
struct Frame {
    int32_t token_count;
};
static_assert(sizeof(Frame) == 4);

// Where frame blocks come from. Every block is released with std::free. Tests substitute one
// that fails to exercise the out-of-memory paths.
using BlockAllocator = void* (*)(std::size_t bytes);
void* allocate_block(std::size_t bytes);

inline uint8_t* frame_tokens(Frame* frame) {
    return reinterpret_cast<uint8_t*>(frame) + sizeof(Frame);
}
inline const uint8_t* frame_tokens(const Frame* frame) {
    return reinterpret_cast<const uint8_t*>(frame) + sizeof(Frame);
}
// Bytes of the whole block: 4 + token_count.
std::size_t frame_block_size(const Frame* frame);

// A block for token_count tokens (0 .. FRAME_PIXELS) with its count set and its tokens
// uninitialised; nullptr for a count out of range or when memory runs out.
Frame* allocate_frame(int32_t token_count, BlockAllocator allocate = allocate_block);
// The empty frame (no tokens: draws nothing); nullptr when memory runs out.
Frame* new_empty_frame(BlockAllocator allocate = allocate_block);
// A copy of the whole block; nullptr when memory runs out.
Frame* copy_frame(const Frame* frame, BlockAllocator allocate = allocate_block);
// Releases a block (nullptr is ignored).
void free_frame(Frame* frame);
// Releases slots 0 .. count - 1 of a table and sets them to nullptr.
void free_frames(Frame** table, int32_t count);
