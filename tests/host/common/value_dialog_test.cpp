#include "host/common/value_dialog.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {
TEST(ValueDialog, PageStepIsATenthRaisedToOne) {
    struct Case {
        int maximum, minimum, step;
    } cases[] = {{8, 0, 1},
                 {100, 0, 10},
                 {4095, 1, 409},
                 {5, 5, 1},
                 {19, 0, 1},
                 {20, 0, 2},
                 {INT_MAX, INT_MIN, 429496729}};
    for (const Case& c : cases) {
        EXPECT_EQ(open_value_dialog(c.maximum, c.minimum, 0).page_step, c.step)
            << c.minimum << ".." << c.maximum;
    }
}

TEST(ValueDialog, ScrollCodesMoveAndClamp) {
    struct Case {
        const char* name;
        int maximum, minimum, start;
        int code;
        uint32_t thumb;
        int value;
    } cases[] = {
        {"line left", 8, 0, 3, SCROLL_LINE_LEFT, 0, 2},
        {"line left at the minimum", 8, 0, 0, SCROLL_LINE_LEFT, 0, 0},
        {"line right", 8, 0, 3, SCROLL_LINE_RIGHT, 0, 4},
        {"line right at the maximum", 8, 0, 8, SCROLL_LINE_RIGHT, 0, 8},
        {"page left stops at the minimum", 50, 0, 1, SCROLL_PAGE_LEFT, 0, 0},
        {"page left", 100, 0, 50, SCROLL_PAGE_LEFT, 0, 40},
        {"page right", 100, 0, 50, SCROLL_PAGE_RIGHT, 0, 60},
        {"page right stops at the maximum", 100, 0, 95, SCROLL_PAGE_RIGHT, 0, 100},
        {"thumb position", 100, 0, 50, SCROLL_THUMB_POSITION, 5, 5},
        {"thumb track", 100, 0, 50, SCROLL_THUMB_TRACK, 77, 77},
        {"thumb keeps the low 16 bits", 100, 0, 50, SCROLL_THUMB_TRACK, 0x10000 + 9, 9},
        {"thumb beyond a wide range is kept inside", 100000, 70000, 80000, SCROLL_THUMB_TRACK,
         70000, 70000},
        {"thumb of a negative range is kept inside", 10, -10, 0, SCROLL_THUMB_TRACK, 0xFFFB, 10},
        {"left end", 8, 0, 3, SCROLL_LEFT_END, 0, 3},
        {"right end", 8, 0, 3, SCROLL_RIGHT_END, 0, 3},
        {"end of scrolling", 8, 0, 3, SCROLL_END, 0, 3},
        {"unknown code", 8, 0, 3, 99, 0, 3},
        {"line right at INT_MAX", INT_MAX, 0, INT_MAX, SCROLL_LINE_RIGHT, 0, INT_MAX},
        {"line left at INT_MIN", 0, INT_MIN, INT_MIN, SCROLL_LINE_LEFT, 0, INT_MIN},
    };
    for (const Case& c : cases) {
        ValueDialogState state = open_value_dialog(c.maximum, c.minimum, c.start);
        scroll_value_dialog(&state, c.code, c.thumb);
        EXPECT_EQ(state.value, c.value) << c.name;
    }
}

TEST(ValueDialog, StartShowsTheValueAndScrollingUpdatesIt) {
    ValueDialogState state = open_value_dialog(8, 0, 3);
    char shown[16];
    format_dialog_value(state, shown, sizeof shown);
    EXPECT_STREQ(shown, "3");
    scroll_value_dialog(&state, SCROLL_PAGE_LEFT, 0);
    scroll_value_dialog(&state, SCROLL_PAGE_LEFT, 0);
    format_dialog_value(state, shown, sizeof shown);
    EXPECT_STREQ(shown, "1");
    state = open_value_dialog(0, INT_MIN, INT_MIN);
    format_dialog_value(state, shown, sizeof shown);
    EXPECT_STREQ(shown, "-2147483648");
}
}  // namespace
