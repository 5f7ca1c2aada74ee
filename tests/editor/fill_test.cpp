// The cross-shaped fill.
#include <gtest/gtest.h>

#include "editor/session/animation.h"
#include "editor/editor_settings.h"
#include "editor/fill.h"
#include "editor/onion_skin.h"
#include "editor_test_support.h"

namespace {

class FillTest : public EditorFixture {
protected:
    Picture fill_at(const Picture& frame, int pen_color, int x, int y) {
        set_frame(animation().current_frame, frame);
        editor_settings().pen_color = pen_color;
        fill_region(x, y);
        return canvas();
    }
};

Picture all(uint8_t value) {
    Picture picture;
    picture.fill(0, 0, 319, 239, value);
    return picture;
}

TEST_F(FillTest, PlainFramesAndSeedsAtAndPastTheEdges) {
    const struct {
        const char* name;
        int pen_color;
        int x;
        int y;
        uint8_t result;
    } cases[] = {
        {"black pen, middle", 10, 160, 120, 10},
        {"black pen, corner", 10, 0, 0, 10},
        {"black pen, one below the canvas", 10, 100, 240, 10},
        {"black pen, one right of the canvas", 10, 320, 100, 10},
        {"white pen changes nothing", 255, 160, 120, 255},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(fill_at(Picture{}, row.pen_color, row.x, row.y), all(row.result)) << row.name;
    }
}

TEST_F(FillTest, SeedsFartherOutsidePaintNothing) {
    for (auto [x, y] : {std::pair{100, 241}, {321, 100}, {-1, 100}, {100, -1}, {-5, -5}}) {
        EXPECT_EQ(fill_at(Picture{}, 10, x, y), Picture{}) << x << "," << y;
    }
}

TEST_F(FillTest, ReachesOnlyStraightAcrossFromTheSeed) {
    Picture frame;
    frame.box(10, 10, 110, 110, 1);
    frame.fill(60, 10, 60, 70);
    Picture expected = frame;
    expected.fill(11, 11, 59, 109);
    expected.fill(60, 71, 109, 109);
    const Picture got = fill_at(frame, 10, 30, 40);
    EXPECT_EQ(got, expected) << describe_difference(got, expected);
    EXPECT_EQ(got.at(80, 40), CANVAS_PAPER);  // joined below the wall, yet unpainted
}

TEST_F(FillTest, SeedOnABorderStillFillsUpwardAndLeftward) {
    // A black horizontal line through the seed: phases 1 and 3 end at once; phase 2 (rows above)
    // and phase 4 (columns to the left of the seed, scanning down and up from its row) run.
    Picture frame;
    frame.fill(0, 100, 319, 100);
    const Picture got = fill_at(frame, 10, 50, 100);
    Picture expected = frame;
    expected.fill(0, 0, 319, 99);
    EXPECT_EQ(got, expected) << describe_difference(got, expected);
}

TEST_F(FillTest, WhitePenPaintsWhiteInsideWhiteLines) {
    // A white outline on black.
    Picture frame;
    frame.box(20, 20, 40, 40, 1);
    for (uint8_t& pixel : frame.pixels) pixel = pixel == CANVAS_INK ? CANVAS_PAPER : CANVAS_INK;
    Picture expected = frame;
    expected.fill(21, 21, 39, 39, CANVAS_PAPER);
    const Picture got = fill_at(frame, 255, 30, 30);
    EXPECT_EQ(got, expected) << describe_difference(got, expected);
}

TEST_F(FillTest, OnionSkinGreysDoNotStopIt) {
    Picture earlier;
    earlier.fill(0, 50, 319, 50);  // would be a wall if it were the current frame's
    set_frame(0, earlier);
    set_frame(1, Picture{});
    animation().current_frame = 1;
    editor_settings().onion_depth = 1;
    compose_editing_view();
    ASSERT_EQ(canvas().at(5, 50), 220);
    editor_settings().pen_color = 10;
    fill_region(5, 5);
    EXPECT_EQ(canvas(), all(CANVAS_INK));
}

}  // namespace
