// The editing view and its onion-skin layers.
#include <gtest/gtest.h>

#include "editor/session/animation.h"
#include "editor/commands.h"
#include "editor/editor_settings.h"
#include "editor/onion_skin.h"
#include "editor_test_support.h"
#include "host/script/script_host_testing.h"

namespace {

class OnionSkinTest : public EditorFixture {
protected:
    // Frame i has a black dot at (10 + i, 10) and a black bar at row 100 from x 0 to 19.
    void make_frames(int count) {
        for (int i = 0; i < count; ++i) {
            Picture picture;
            picture.set(10 + i, 10);
            picture.fill(0, 100, 19, 100);
            set_frame(i, picture);
        }
    }
};

TEST(OnionShadeTest, LayerShadesOfEveryDepth) {
    const std::vector<std::vector<int>> table = {
        {220},
        {220, 156},
        {220, 178, 136},
        {220, 188, 156, 124},
        {220, 195, 170, 145, 120},
        {220, 199, 178, 157, 136, 115},
        {220, 202, 184, 166, 148, 130, 112},
        {220, 204, 188, 172, 156, 140, 124, 108},
    };
    for (size_t d = 1; d <= table.size(); ++d)
        for (size_t i = 0; i < d; ++i)
            EXPECT_EQ(onion_shade(int(i), int(d)), table[d - 1][i])
                << "depth " << d << " layer " << i;
}

TEST_F(OnionSkinTest, LayersOldestFirstUnderTheCurrentFrame) {
    make_frames(6);
    const struct {
        int current;
        int depth;
        std::vector<std::pair<int, int>> shown;  // (frame, value) of the dots
    } cases[] = {
        {0, 1, {{0, 10}}},
        {5, 2, {{3, 220}, {4, 156}, {5, 10}}},
        {1, 3, {{0, 136}, {1, 10}}},  // frames before the first are skipped
        {5, 0, {{5, 10}}},
        {5, 8, {{0, 172}, {1, 156}, {2, 140}, {3, 124}, {4, 108}, {5, 10}}},
    };
    for (const auto& row : cases) {
        animation().current_frame = row.current;
        editor_settings().onion_depth = row.depth;
        put_canvas(Picture{});
        compose_editing_view();
        Picture expected;
        for (const auto& [frame, value] : row.shown) expected.set(10 + frame, 10, value);
        expected.fill(0, 100, 19, 100);  // black on every frame: the current frame's wins
        const Picture got = canvas();
        EXPECT_EQ(got, expected) << "frame " << row.current << " depth " << row.depth
                                 << describe_difference(got, expected);
    }
}

TEST_F(OnionSkinTest, DepthDialogAcceptsOrLeavesTheSetting) {
    script_host_queue_value(3);
    set_onion_depth();
    EXPECT_EQ(editor_settings().onion_depth, 3);
    EXPECT_EQ(shown_text(), utf8(u8"編集中に何枚前の絵までみえるか設定します。\n"));
    script_host_queue_value_cancel();
    set_onion_depth();
    EXPECT_EQ(editor_settings().onion_depth, 3);
    const std::vector<std::string>& log = script_host_messages();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], "value 0..8 start 1 -> 3");
    EXPECT_EQ(log[1], "value 0..8 start 3 -> cancel");
}

}  // namespace
