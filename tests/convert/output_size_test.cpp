#include <gtest/gtest.h>

#include "convert/output_size.h"

namespace {

struct ClampCase {
    int32_t width, height;
    int32_t expected_width, expected_height;
};

void PrintTo(const ClampCase& c, std::ostream* os) { *os << c.width << "x" << c.height; }

class ClampOutputSize : public testing::TestWithParam<ClampCase> {};

TEST_P(ClampOutputSize, LimitsAndRoundsDown) {
    const ClampCase c = GetParam();
    int32_t width = c.width;
    int32_t height = c.height;
    clamp_output_size(&width, &height);
    EXPECT_EQ(width, c.expected_width);
    EXPECT_EQ(height, c.expected_height);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, ClampOutputSize,
    testing::Values(ClampCase{320, 240, 320, 240}, ClampCase{100, 131, 96, 130},
                    ClampCase{319, 239, 288, 238}, ClampCase{32, 2, 32, 2}, ClampCase{33, 3, 32, 2},
                    ClampCase{400, 1000, 320, 240}, ClampCase{INT32_MAX, INT32_MAX, 320, 240},
                    // Sizes that would round down to nothing keep the smallest step.
                    ClampCase{31, 1, 32, 2}, ClampCase{1, 1, 32, 2}, ClampCase{0, 0, 32, 2},
                    ClampCase{-40, -7, 32, 2}, ClampCase{INT32_MIN, INT32_MIN, 32, 2}));

enum class Bar { width, height };

struct ScrollCase {
    const char* name;
    Bar bar;
    int32_t value;
    ScrollAction action;
    int32_t thumb;
    int32_t shown;    // the value straight after the action
    bool clamped;     // whether the action then clamps
    int32_t settled;  // the value after clamping (when it clamps)
};

void PrintTo(const ScrollCase& c, std::ostream* os) { *os << c.name; }

class ScrollOutputSize : public testing::TestWithParam<ScrollCase> {};

TEST_P(ScrollOutputSize, StepsThenClamps) {
    const ScrollCase& c = GetParam();
    const ScrollResult result = c.bar == Bar::width
                                    ? scroll_output_width(c.value, c.action, c.thumb)
                                    : scroll_output_height(c.value, c.action, c.thumb);
    EXPECT_EQ(result.value, c.shown);
    EXPECT_EQ(result.clamp, c.clamped);
    if (!result.clamp) return;
    int32_t width = c.bar == Bar::width ? result.value : 320;
    int32_t height = c.bar == Bar::height ? result.value : 240;
    clamp_output_size(&width, &height);
    EXPECT_EQ(c.bar == Bar::width ? width : height, c.settled);
}

INSTANTIATE_TEST_SUITE_P(
    Actions, ScrollOutputSize,
    testing::Values(
        ScrollCase{"WidthLineLeft", Bar::width, 320, ScrollAction::line_back, 0, 288, true, 288},
        ScrollCase{"WidthPageLeft", Bar::width, 64, ScrollAction::page_back, 0, 32, true, 32},
        ScrollCase{"WidthLineRightAtEnd", Bar::width, 320, ScrollAction::line_forward, 0, 352, true,
                   320},
        ScrollCase{"WidthPageRight", Bar::width, 96, ScrollAction::page_forward, 0, 128, true, 128},
        ScrollCase{"WidthLeftAtStart", Bar::width, 32, ScrollAction::line_back, 0, 0, true, 32},
        ScrollCase{"WidthThumbReleased", Bar::width, 320, ScrollAction::thumb_position, 100, 100,
                   true, 96},
        ScrollCase{"WidthThumbDragged", Bar::width, 320, ScrollAction::thumb_track, 100, 100, false,
                   0},
        ScrollCase{"WidthEndScroll", Bar::width, 96, ScrollAction::other, 7, 96, true, 96},
        ScrollCase{"HeightLineUp", Bar::height, 240, ScrollAction::line_back, 0, 238, true, 238},
        ScrollCase{"HeightLineDown", Bar::height, 130, ScrollAction::line_forward, 0, 132, true,
                   132},
        ScrollCase{"HeightPageDownTruncates", Bar::height, 238, ScrollAction::page_forward, 0, 240,
                   true, 240},
        ScrollCase{"HeightPageDownMidway", Bar::height, 125, ScrollAction::page_forward, 0, 130,
                   true, 130},
        ScrollCase{"HeightPageUpTruncates", Bar::height, 125, ScrollAction::page_back, 0, 110, true,
                   110},
        ScrollCase{"HeightPageUpToZero", Bar::height, 12, ScrollAction::page_back, 0, 0, true, 2},
        ScrollCase{"HeightThumbReleased", Bar::height, 240, ScrollAction::thumb_position, 131, 131,
                   true, 130},
        ScrollCase{"HeightThumbDragged", Bar::height, 240, ScrollAction::thumb_track, 131, 131,
                   false, 0}),
    [](const testing::TestParamInfo<ScrollCase>& info) { return info.param.name; });

}  // namespace
