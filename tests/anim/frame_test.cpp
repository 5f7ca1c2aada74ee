#include "anim/frame.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

void* no_memory(std::size_t) { return nullptr; }

TEST(FrameBlock, CountsOutsideAPictureAreRefused) {
    for (const int32_t count : {-1, FRAME_PIXELS + 1, INT32_MAX, INT32_MIN}) {
        EXPECT_EQ(allocate_frame(count), nullptr) << count;
    }
    for (const int32_t count : {0, 1, 600, FRAME_PIXELS}) {
        Frame* frame = allocate_frame(count);
        ASSERT_NE(frame, nullptr) << count;
        EXPECT_EQ(frame->token_count, count);
        EXPECT_EQ(frame_block_size(frame), 4u + static_cast<std::size_t>(count));
        free_frame(frame);
    }
}

TEST(FrameBlock, CopyHoldsTheSameBytes) {
    Frame* frame = allocate_frame(3);
    std::memcpy(frame_tokens(frame), "\x01\x80\xff", 3);
    Frame* copy = copy_frame(frame);
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(copy, frame);
    EXPECT_EQ(std::memcmp(copy, frame, frame_block_size(frame)), 0);
    free_frame(frame);
    free_frame(copy);
}

TEST(FrameBlock, AllocationFailureGivesNull) {
    Frame* frame = new_empty_frame();
    EXPECT_EQ(new_empty_frame(no_memory), nullptr);
    EXPECT_EQ(copy_frame(frame, no_memory), nullptr);
    EXPECT_EQ(allocate_frame(10, no_memory), nullptr);
    free_frame(frame);
}

TEST(FrameBlock, FreeFramesClearsTheSlots) {
    Frame* table[3] = {new_empty_frame(), new_empty_frame(), new_empty_frame()};
    Frame* last = table[2];
    free_frames(table, 2);
    EXPECT_EQ(table[0], nullptr);
    EXPECT_EQ(table[1], nullptr);
    EXPECT_EQ(table[2], last);
    free_frame(last);
}

}  // namespace
