#include "anim/frame.h"

#include <cstdlib>
#include <cstring>

void* allocate_block(std::size_t bytes) { return std::malloc(bytes); }

std::size_t frame_block_size(const Frame* frame) {
    return sizeof(Frame) + static_cast<std::size_t>(frame->token_count);
}

Frame* allocate_frame(int32_t token_count, BlockAllocator allocate) {
    if (token_count < 0 || token_count > FRAME_PIXELS) {
        return nullptr;
    }
    auto* frame =
        static_cast<Frame*>(allocate(sizeof(Frame) + static_cast<std::size_t>(token_count)));
    if (frame != nullptr) {
        frame->token_count = token_count;
    }
    return frame;
}

Frame* new_empty_frame(BlockAllocator allocate) { return allocate_frame(0, allocate); }

Frame* copy_frame(const Frame* frame, BlockAllocator allocate) {
    Frame* copy = allocate_frame(frame->token_count, allocate);
    if (copy != nullptr) {
        std::memcpy(frame_tokens(copy), frame_tokens(frame),
                    static_cast<std::size_t>(frame->token_count));
    }
    return copy;
}

void free_frame(Frame* frame) { std::free(frame); }

void free_frames(Frame** table, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        free_frame(table[i]);
        table[i] = nullptr;
    }
}
