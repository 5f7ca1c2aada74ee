#include "host/common/text_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/host.h"

namespace {
// Letters 7 pixels wide, "D" 13 pixels high, lines starting 4 pixels in.
class FakeSurface : public TextSurface {
public:
    struct Draw {
        int x, y;
        std::string text;
        bool operator==(const Draw&) const = default;
    };

    int measure_width(const char*, int length) override { return 7 * length; }
    int letter_height() override { return 13; }
    void draw_text(int x, int y, const char* text, int length) override {
        draws.push_back({x, y, std::string(text, static_cast<std::size_t>(length))});
    }
    void clear() override { ++clears; }
    int line_start_x() override { return 4; }

    std::vector<Draw> draws;
    int clears = 0;
};

class TextLayoutTest : public ::testing::Test {
protected:
    void SetUp() override { attach_text_surface(&surface); }
    void TearDown() override { attach_text_surface(nullptr); }

    void expect_cursor(int x, int y) {
        EXPECT_EQ(text_layout_state().x, x);
        EXPECT_EQ(text_layout_state().y, y);
    }

    FakeSurface surface;
};

using Draws = std::vector<FakeSurface::Draw>;

TEST_F(TextLayoutTest, SetTextPosMeasuresColumnsAndRowsWithD) {
    struct Case {
        int column, row;
        int x, y;
    } cases[] = {{0, 0, 0, 0}, {10, 2, 70, 26}, {2047, 1, 2047 * 7, 13}, {1, -1, 7, -13}};
    for (const Case& c : cases) {
        set_text_pos(c.column, c.row);
        expect_cursor(c.x, c.y);
    }
    text_layout_state().line_gap = 3;
    set_text_pos(0, 2);
    expect_cursor(0, 32);
    text_layout_state().line_gap = 0;
}

TEST_F(TextLayoutTest, SetTextPosIgnoresColumnsOutOfRange) {
    set_text_pos(3, 4);
    for (int column : {2048, 100000, -1}) {
        set_text_pos(column, 0);
        expect_cursor(21, 52);
    }
}

TEST_F(TextLayoutTest, PrintsWalkTheBytes) {
    struct Case {
        const char* name;
        std::string text;
        int length;  // -1: up to the NUL
        Draws draws;
        int x, y;
    } cases[] = {
        {"plain", "abc", -1, {{0, 0, "abc"}}, 21, 0},
        {"leading break", "\nabc", -1, {{4, 13, "abc"}}, 4 + 21, 13},
        {"trailing break", "abc\n", -1, {{0, 0, "abc"}}, 4, 13},
        {"empty line", "\n\n", -1, {}, 4, 26},
        {"CR LF is two breaks", "a\r\nb", -1, {{0, 0, "a"}, {4, 26, "b"}}, 11, 26},
        {"length cuts", "abcdef", 2, {{0, 0, "ab"}}, 14, 0},
        {"zero byte inside the length breaks",
         std::string("ab\0cd", 5),
         5,
         {{0, 0, "ab"}, {4, 13, "cd"}},
         18,
         13},
        {"nothing", "", -1, {}, 0, 0},
        {"zero length", "abc", 0, {}, 0, 0},
        {"negative length", "abc", -5, {}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        attach_text_surface(&surface);
        surface.draws.clear();
        print_text(c.text.c_str(), c.length);
        EXPECT_EQ(surface.draws, c.draws);
        expect_cursor(c.x, c.y);
    }
}

TEST_F(TextLayoutTest, TwoPrintsSitSideBySide) {
    print_text("abc");
    print_text("def");
    EXPECT_EQ(surface.draws, (Draws{{0, 0, "abc"}, {21, 0, "def"}}));
    expect_cursor(42, 0);
}

TEST_F(TextLayoutTest, ShiftJisBytesAreNotBreaks) {
    // "表示" in Shift-JIS: 0x95 0x5C 0x8E 0xA6; none of its bytes may end a line.
    const char text[] = "表示";
    ASSERT_EQ(sizeof text, 5u);
    print_text(text);
    EXPECT_EQ(surface.draws, (Draws{{0, 0, std::string(text, 4)}}));
}

TEST_F(TextLayoutTest, ClearWhitensAndGoesHome) {
    set_text_pos(5, 5);
    clear_text();
    EXPECT_EQ(surface.clears, 1);
    expect_cursor(0, 0);
}

TEST_F(TextLayoutTest, NoSurfaceMeansNothingHappens) {
    attach_text_surface(nullptr);
    print_text("abc");
    set_text_pos(3, 3);
    clear_text();
    print_text(nullptr);
    EXPECT_TRUE(surface.draws.empty());
    EXPECT_EQ(surface.clears, 0);
}
}  // namespace
