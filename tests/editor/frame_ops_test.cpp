// Frame operations on lettered frames, with the dialogs answered through the scripted host.
#include <cstdlib>

#include "editor/commands.h"
#include "editor/frame_ops.h"
#include "frame_ops_test_support.h"

namespace {

using FrameOpsTest = LetteredFramesFixture;

TEST_F(FrameOpsTest, NextMovesOnOrAppendsABlankFrameAtTheEnd) {
    set_frames("ABC", 1);
    next_frame();
    EXPECT_EQ(animation().current_frame, 2);
    EXPECT_EQ(frame_letters(), "ABC");
    next_frame();
    EXPECT_EQ(animation().current_frame, 3);
    EXPECT_EQ(frame_letters(), "ABC_");
}

TEST_F(FrameOpsTest, PreviousStopsAtTheFirstFrame) {
    set_frames("AB", 1);
    previous_frame();
    EXPECT_EQ(animation().current_frame, 0);
    previous_frame();
    EXPECT_EQ(animation().current_frame, 0);
}

TEST_F(FrameOpsTest, JumpTakesTheDialogValueOverZeroToTheLastFrame) {
    set_frames("ABCD", 1);
    script_host_queue_value(3);
    jump_to_frame();
    EXPECT_EQ(animation().current_frame, 3);
    EXPECT_TRUE(logged("value 0..3 start 1"));

    script_host_queue_value_cancel();
    jump_to_frame();
    EXPECT_EQ(animation().current_frame, 3);
}

TEST_F(FrameOpsTest, CopyPreviousReplacesTheFrameAndKeepsItForUndo) {
    set_frames("ABCD", 3);
    copy_previous_frame();
    EXPECT_EQ(frame_letters(), "ABCC");
    EXPECT_EQ(letter_of(animation_state().undo_frame), 'D');

    set_frames("AB", 0);
    copy_previous_frame();
    EXPECT_EQ(frame_letters(), "AB");
}

TEST_F(FrameOpsTest, InsertPutsABlankFrameAtTheCurrentPosition) {
    struct Case {
        const char* frames;
        int current;
        const char* expected;
    };
    const Case cases[] = {
        {"ABC", 1, "A_BC"},
        {"ABC", 0, "_ABC"},
        {"ABC", 2, "AB_C"},
        {"A", 0, "_A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.frames) + " at " + std::to_string(c.current));
        set_frames(c.frames, c.current);
        insert_frame();
        EXPECT_EQ(frame_letters(), c.expected);
        EXPECT_EQ(animation().current_frame, c.current);
    }
}

TEST_F(FrameOpsTest, DeleteClosesTheGapAndKeepsTheCurrentFrameCounted) {
    struct Case {
        const char* frames;
        int current;
        MessageAnswer answer;
        const char* expected;
        int expected_current;
    };
    const Case cases[] = {
        {"ABC", 2, MessageAnswer::yes, "AB", 1},
        {"ABC", 0, MessageAnswer::yes, "BC", 0},
        {"ABC", 1, MessageAnswer::yes, "AC", 1},
        {"ABC", 1, MessageAnswer::no, "ABC", 1},
        // The only frame becomes blank instead of leaving an animation without frames.
        {"A", 0, MessageAnswer::yes, "_", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.frames) + " at " + std::to_string(c.current));
        set_frames(c.frames, c.current);
        script_host_queue_answer(c.answer);
        delete_frame();
        EXPECT_EQ(frame_letters(), c.expected);
        EXPECT_EQ(animation().current_frame, c.expected_current);
    }
    EXPECT_TRUE(logged(utf8(u8"\"ひとコマ削除\" \"削除してよろしいですか\"")));
}

TEST_F(FrameOpsTest, ReverseSwapsTheChosenRangeInPlace) {
    struct Case {
        const char* frames;
        int current;
        std::vector<int> answers;  // -1 cancels that dialog
        const char* expected;
    };
    const Case cases[] = {
        {"ABC", 0, {0, 1}, "BAC"},     {"ABCD", 0, {0, 3}, "DCBA"},  {"ABCD", 0, {1, 3}, "ADCB"},
        {"ABCDE", 2, {0, 4}, "EDCBA"}, {"ABCD", 0, {2, 2}, "ABCD"},  {"ABCD", 0, {3, 1}, "ABCD"},
        {"ABCD", 0, {-1}, "ABCD"},     {"ABCD", 0, {0, -1}, "ABCD"}, {"A", 0, {}, "A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.frames) + " " + ::testing::PrintToString(c.answers));
        set_frames(c.frames, c.current);
        for (int answer : c.answers) {
            answer < 0 ? script_host_queue_value_cancel() : script_host_queue_value(answer);
        }
        reverse_frames();
        EXPECT_EQ(frame_letters(), c.expected);
        EXPECT_EQ(animation().current_frame, c.current);
    }
}

struct MultiCopyCase {
    const char* frames;
    int current;
    std::vector<int> values;  // first, last, destination, times; -1 cancels that dialog
    MessageAnswer confirm;
    const char* expected;
};

class MultiCopyTest : public LetteredFramesFixture,
                      public ::testing::WithParamInterface<MultiCopyCase> {};

TEST_P(MultiCopyTest, InsertsTheCopiesInFrontOfTheDestination) {
    const MultiCopyCase& c = GetParam();
    set_frames(c.frames, c.current);
    for (int value : c.values) {
        value < 0 ? script_host_queue_value_cancel() : script_host_queue_value(value);
    }
    script_host_queue_answer(c.confirm);
    multi_copy();
    EXPECT_EQ(frame_letters(), c.expected);
    EXPECT_EQ(animation().current_frame, c.current);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MultiCopyTest,
    ::testing::Values(MultiCopyCase{"ABC", 0, {0, 1, 2, 2}, MessageAnswer::yes, "ABABABC"},
                      MultiCopyCase{"ABC", 0, {0, 1, 0, 1}, MessageAnswer::yes, "ABABC"},
                      // A destination inside the sources copies them as they were.
                      MultiCopyCase{"ABC", 1, {0, 2, 1, 1}, MessageAnswer::yes, "AABCBC"},
                      MultiCopyCase{"ABC", 0, {2, 2, 2, 3}, MessageAnswer::yes, "ABCCCC"},
                      MultiCopyCase{"ABC", 0, {0, 1, 2, 2}, MessageAnswer::no, "ABC"},
                      MultiCopyCase{"ABC", 0, {0, 1, 2, 0}, MessageAnswer::yes, "ABC"},
                      MultiCopyCase{"ABC", 0, {2, 1}, MessageAnswer::yes, "ABC"},
                      MultiCopyCase{"ABC", 0, {-1}, MessageAnswer::yes, "ABC"},
                      MultiCopyCase{"ABC", 0, {0, -1}, MessageAnswer::yes, "ABC"},
                      MultiCopyCase{"ABC", 0, {0, 1, -1}, MessageAnswer::yes, "ABC"},
                      MultiCopyCase{"ABC", 0, {0, 1, 2, -1}, MessageAnswer::yes, "ABC"}));

TEST_F(FrameOpsTest, MultiCopyAsksWithItsDefaultsAndConfirmsDestinationAndTotal) {
    set_frames("ABC", 1);
    for (int value : {0, 1, 2, 2}) {
        script_host_queue_value(value);
    }
    script_host_queue_answer(MessageAnswer::yes);
    multi_copy();
    const std::vector<std::string> expected = {
        "value 0..2 start 1 -> 0",
        "value 0..2 start 2 -> 1",
        "value 0..2 start 1 -> 2",
        "value 0..64 start 1 -> 2",
        utf8(
            u8"box yes_no none \"連続コピー\" \"コピー先2コマ目 コピー枚数4枚 これでよろしいですか?\" -> yes"),
    };
    EXPECT_EQ(script_host_messages(), expected);
}

// Fills the table with `count` blank frames.
void set_blank_frames(int count) {
    Animation& anim = animation();
    for (int i = anim.frame_count; i < count; ++i) {
        anim.frames[i] = copy_frame(anim.frames[0]);
        ASSERT_NE(anim.frames[i], nullptr);
    }
    anim.frame_count = count;
}

TEST_F(FrameOpsTest, MultiCopyStopsShortOfAFullTable) {
    struct Case {
        int copied;
        int expected_count;
    };
    const Case cases[] = {{95, 4095}, {96, 4000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.copied);
        set_frames("_");
        set_blank_frames(4000);
        for (int value : {0, c.copied - 1, 0, 1}) {
            script_host_queue_value(value);
        }
        script_host_queue_answer(MessageAnswer::yes);
        multi_copy();
        EXPECT_EQ(animation().frame_count, c.expected_count);
    }
    EXPECT_TRUE(logged(utf8(u8"box ok error \"連続コピーエラー\" \"ページが多すぎます\"")));
}

// Gives `budget` blocks, then fails.
int g_block_budget = 0;
void* limited_allocate(std::size_t bytes) {
    return g_block_budget-- > 0 ? std::malloc(bytes) : nullptr;
}

TEST_F(FrameOpsTest, MultiCopyOutOfMemoryLeavesTheAnimationUntouched) {
    set_frames("ABC", 2);
    for (int value : {0, 2, 1, 3}) {
        script_host_queue_value(value);
    }
    script_host_queue_answer(MessageAnswer::yes);
    g_block_budget = 5;
    animation_state().allocate = limited_allocate;
    multi_copy();
    animation_state().allocate = allocate_block;
    EXPECT_EQ(frame_letters(), "ABC");
    EXPECT_EQ(animation().current_frame, 2);
    EXPECT_TRUE(logged(utf8(u8"\"連続コピーエラー\" \"メモリが足りないのでコピーできません\"")));
}

}  // namespace
