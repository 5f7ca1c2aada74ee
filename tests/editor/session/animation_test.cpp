#include <gtest/gtest.h>

#include "editor_fixture.h"

namespace {

using anim_test::canvas_bits;
using anim_test::canvas_copy;
using anim_test::EditorAnimationTest;

void* no_memory(std::size_t) { return nullptr; }

using AnimationModelTest = EditorAnimationTest;

TEST_F(AnimationModelTest, StartsWithOneEmptyFrame) {
    const Animation& anim = animation();
    EXPECT_EQ(anim.frame_count, 1);
    EXPECT_EQ(anim.current_frame, 0);
    EXPECT_EQ(anim.speed, 5);
    ASSERT_NE(anim.frames[0], nullptr);
    EXPECT_EQ(anim.frames[0]->token_count, 0);
    ASSERT_NE(animation_state().undo_frame, nullptr);
    EXPECT_EQ(animation_state().undo_frame->token_count, 0);
}

TEST_F(AnimationModelTest, StoresAndPrintsTheCanvas) {
    anim_test::draw_picture(5);
    const std::vector<uint8_t> picture = canvas_copy();
    const int32_t tokens = store_current_frame();
    EXPECT_GT(tokens, 600);
    EXPECT_EQ(animation().frames[0]->token_count, tokens);
    EXPECT_EQ(store_undo_frame(), tokens);

    fill_bytes(canvas_bits(), 320, 240, 77);
    set_print_values(CANVAS_INK, CANVAS_PAPER);
    print_page(0);
    EXPECT_EQ(canvas_copy(), picture);
}

TEST_F(AnimationModelTest, PrintValuesLayerFrames) {
    anim_test::draw_picture(5);
    store_current_frame();
    fill_bytes(canvas_bits(), 320, 240, 33);
    set_print_values(190, 0);
    print_page(0);
    const std::vector<uint8_t> layered = canvas_copy();
    anim_test::draw_picture(5);
    for (int i = 0; i < FRAME_PIXELS; ++i) {
        ASSERT_EQ(layered[i], canvas_bits()[i] == CANVAS_INK ? 190 : 33) << "pixel " << i;
    }
}

TEST_F(AnimationModelTest, IndexOutsideTheFramesChangesNothing) {
    make_animation(3, 0, 5);
    set_print_values(CANVAS_INK, CANVAS_PAPER);
    set_raw_bit_values(CANVAS_INK, CANVAS_PAPER);
    for (const int32_t index : {-1, 3, 4095, 4096, INT32_MIN}) {
        for (void (*print)(int32_t) : {print_page, print_raw_page}) {
            SCOPED_TRACE(index);
            script_host_reset();
            create_screen();
            fill_bytes(canvas_bits(), 320, 240, 77);
            print(index);
            EXPECT_EQ(canvas_copy(), std::vector<uint8_t>(FRAME_PIXELS, 77));
            EXPECT_EQ(anim_test::shown_text(), "error in print_page\n");
        }
    }
}

TEST_F(AnimationModelTest, FailedAllocationKeepsTheSlotsFrame) {
    anim_test::draw_picture(2);
    ASSERT_GT(store_current_frame(), 0);
    Frame* before = animation().frames[0];
    const int32_t before_count = before->token_count;
    animation_state().allocate = no_memory;
    anim_test::draw_picture(9);
    EXPECT_EQ(store_current_frame(), -1);
    EXPECT_EQ(store_undo_frame(), -1);
    EXPECT_EQ(animation().frames[0], before);
    EXPECT_EQ(animation().frames[0]->token_count, before_count);
    EXPECT_EQ(animation_state().undo_frame->token_count, 0);
}

TEST_F(AnimationModelTest, CompressCanvasTakesImagesUpToAFrame) {
    Frame* slot = new_empty_frame();
    std::vector<uint8_t> stamp(16 * 4, CANVAS_PAPER);
    stamp[0] = CANVAS_INK;
    EXPECT_EQ(compress_canvas(stamp.data(), 16, 4, &slot), 2);
    EXPECT_EQ(slot->token_count, 2);
    EXPECT_EQ(frame_tokens(slot)[0], 0);
    EXPECT_EQ(frame_tokens(slot)[1], 128 + 62);
    // One token per pixel: more tokens than a frame can hold.
    std::vector<uint8_t> too_many_runs(321 * 240, CANVAS_PAPER);
    for (std::size_t i = 0; i < too_many_runs.size(); i += 2) {
        too_many_runs[i] = CANVAS_INK;
    }
    EXPECT_EQ(compress_canvas(too_many_runs.data(), 321, 240, &slot), -1);
    EXPECT_EQ(slot->token_count, 2);
    free_frame(slot);
}

TEST_F(AnimationModelTest, RawPagesDrawThroughTheBitTable) {
    Animation& anim = animation();
    free_frame(anim.frames[0]);
    anim.frames[0] = allocate_frame(RAW_FRAME_BYTES);
    std::memset(frame_tokens(anim.frames[0]), 0xFF, RAW_FRAME_BYTES);
    frame_tokens(anim.frames[0])[0] = 0x01;
    frame_tokens(anim.frames[0])[1] = 0xF0;
    set_raw_bit_values(CANVAS_INK, CANVAS_PAPER);
    print_raw_page(0);
    const std::vector<uint8_t> expected_start = {255, 10, 10, 10,  10,  10,  10,  10, 10,
                                                 10,  10, 10, 255, 255, 255, 255, 255};
    EXPECT_TRUE(std::equal(expected_start.begin(), expected_start.end(), canvas_bits()));
    EXPECT_EQ(canvas_bits()[FRAME_PIXELS - 1], 255);

    // A table entry of 0 leaves its pixel alone.
    fill_bytes(canvas_bits(), 320, 240, 77);
    set_raw_bit_values(0, CANVAS_PAPER);
    print_raw_page(0);
    EXPECT_EQ(canvas_bits()[0], 255);
    EXPECT_EQ(canvas_bits()[1], 77);
}

TEST_F(AnimationModelTest, ReleaseLeavesNothingHeld) {
    make_animation(4, 2, 5);
    release_animation();
    EXPECT_EQ(animation().frames, nullptr);
    EXPECT_EQ(animation().frame_count, 0);
    EXPECT_EQ(animation_state().undo_frame, nullptr);
    release_animation();  // twice is harmless (free_app_data after a failed start)
}

}  // namespace
