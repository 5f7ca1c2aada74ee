#include "raster/raster.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

namespace {

// A small image that renders as rows of characters: '.' for 0, '#' for any other value.
struct Grid {
    int width;
    int height;
    std::vector<uint8_t> px;
    Grid(int w, int h, uint8_t fill = 0) : width(w), height(h), px(size_t(w) * h, fill) {}
    uint8_t* bits() { return px.data(); }
    uint8_t at(int x, int y) const { return px[size_t(y) * width + x]; }
    std::string rows() const {
        std::string out;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) out += at(x, y) ? '#' : '.';
            out += '\n';
        }
        return out;
    }
};

std::string lines(std::initializer_list<const char*> rows) {
    std::string out;
    for (const char* r : rows) out += std::string(r) + "\n";
    return out;
}

TEST(DrawLine, PointToItselfDrawsNothing) {
    Grid g(8, 8);
    draw_line(g.bits(), 8, 8, 3, 3, 3, 3, 10);
    EXPECT_EQ(g.rows(), Grid(8, 8).rows());
}

TEST(DrawLine, HorizontalStopsBeforeTheEndPoint) {
    Grid g(20, 8);
    draw_line(g.bits(), 20, 8, 5, 5, 15, 5, 10);
    for (int x = 0; x < 20; ++x) EXPECT_EQ(g.at(x, 5), (x >= 5 && x <= 14) ? 10 : 0) << x;
}

TEST(DrawLine, RowZeroAndColumnZeroAreNeverWritten) {
    Grid g(8, 8);
    draw_line(g.bits(), 8, 8, 0, 0, 7, 0, 10);
    draw_line(g.bits(), 8, 8, 0, 0, 0, 7, 10);
    EXPECT_EQ(g.rows(), Grid(8, 8).rows());
}

TEST(DrawLine, FarEdgesAreWritten) {
    Grid g(6, 4);
    draw_line(g.bits(), 6, 4, 1, 3, 7, 3, 10);  // along the last row, past the right edge
    EXPECT_EQ(g.rows(), lines({"......", "......", "......", ".#####"}));
}

TEST(DrawLine, LinesOutsideTheBufferDrawNothing) {
    Grid g(8, 8);
    draw_line(g.bits(), 8, 8, 9, 1, 12, 6, 10);   // both x beyond the width
    draw_line(g.bits(), 8, 8, 8, 1, 8, 6, 10);    // both x equal to the width: stepped, not drawn
    draw_line(g.bits(), 8, 8, -3, 1, -1, 6, 10);  // both left
    draw_line(g.bits(), 8, 8, 1, 9, 6, 12, 10);   // both below
    EXPECT_EQ(g.rows(), Grid(8, 8).rows());
}

TEST(DrawLine, DiagonalUsesSixteenTwelveSteps) {
    Grid g(8, 8);
    // n = floor(sqrt(18)) = 4 points, step = 3 * 4096 / 4 = 3072 on each axis.
    draw_line(g.bits(), 8, 8, 1, 1, 4, 4, 10);
    EXPECT_EQ(g.rows(), lines({"........", ".#......", "..#.....", "...#....", "........",
                               "........", "........", "........"}));
}

TEST(DrawLine, VerticalStepOfZeroBecomesOneFraction) {
    Grid g(8, 8);
    // dy = 0 gives sy = 0, replaced by 1/4096: the row never advances over 5 points.
    draw_line(g.bits(), 8, 8, 1, 2, 6, 2, 10);
    EXPECT_EQ(g.rows(), lines({"........", "........", ".#####..", "........", "........",
                               "........", "........", "........"}));
}

// The horizontal edges end at x2 + thickness - 1: a line's end point is not drawn.
TEST(DrawThickBox, CornerOrderDoesNotMatter) {
    Grid a(10, 10), b(10, 10), c(10, 10);
    draw_thick_box(a.bits(), 10, 10, 2, 2, 6, 5, 1, 10);
    draw_thick_box(b.bits(), 10, 10, 6, 5, 2, 2, 1, 10);
    draw_thick_box(c.bits(), 10, 10, 6, 2, 2, 5, 1, 10);
    EXPECT_EQ(a.rows(), b.rows());
    EXPECT_EQ(a.rows(), c.rows());
    EXPECT_EQ(a.rows(),
              lines({"..........", "..........", "..#####...", "..#...#...", "..#...#...",
                     "..#####...", "..........", "..........", "..........", ".........."}));
}

TEST(DrawThickBox, ThicknessGrowsRightAndDown) {
    Grid g(10, 10);
    draw_thick_box(g.bits(), 10, 10, 1, 1, 5, 5, 2, 10);
    EXPECT_EQ(g.rows(),
              lines({"..........", ".######...", ".######...", ".##..##...", ".##..##...",
                     ".######...", ".######...", "..........", "..........", ".........."}));
    Grid none(10, 10);
    draw_thick_box(none.bits(), 10, 10, 1, 1, 5, 5, 0, 10);
    draw_thick_box(none.bits(), 10, 10, 1, 1, 5, 5, -3, 10);
    EXPECT_EQ(none.rows(), Grid(10, 10).rows());
}

// The box is exactly its four families of lines, also where a line longer than 4096 pixels on
// row or column 0 drifts by its 1/4096 sideways step into row or column 1.
TEST(DrawThickBox, DrawsExactlyItsEdgeLines) {
    struct Case {
        int32_t x1, y1, x2, y2, thickness;
    } cases[] = {
        {0, -5000, 100, 100, 1},  // left edge on column 0, 5101 long
        {-5000, 0, 100, 100, 1},  // top edge on row 0
        {-2, -9000, 50, 60, 4},   // edges straddling column 0 and row 0
        {5, 5, 300, 200, 3},      // an ordinary box
        {0, 0, 319, 239, 2},      // on the edges of the canvas
        {-3, -3, 9000, 9000, 5},  // far edges outside
    };
    constexpr int W = 320, H = 240;
    for (const Case& c : cases) {
        Grid box(W, H), expected(W, H);
        draw_thick_box(box.bits(), W, H, c.x1, c.y1, c.x2, c.y2, c.thickness, 10);
        for (int32_t i = 0; i < c.thickness; ++i) {
            draw_line(expected.bits(), W, H, c.x1 + i, c.y1, c.x1 + i, c.y2 + c.thickness, 10);
            draw_line(expected.bits(), W, H, c.x2 + i, c.y1, c.x2 + i, c.y2 + c.thickness, 10);
            draw_line(expected.bits(), W, H, c.x1, c.y1 + i, c.x2 + c.thickness, c.y1 + i, 10);
            draw_line(expected.bits(), W, H, c.x1, c.y2 + i, c.x2 + c.thickness, c.y2 + i, 10);
        }
        EXPECT_EQ(box.px, expected.px) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
    }
    // The drift itself: column 1 is set from row 1 down by the left edge of the first box.
    Grid g(W, H);
    draw_thick_box(g.bits(), W, H, 0, -5000, 100, 100, 1, 10);
    for (int y = 1; y <= 100; ++y) EXPECT_EQ(g.at(1, y), 10) << y;
}

TEST(FillTwoBands, SplitIsClamped) {
    struct Case {
        int split;
        int top_rows;
    };
    for (Case c : {Case{-5, 0}, Case{0, 0}, Case{2, 2}, Case{4, 4}, Case{99, 4}}) {
        Grid g(3, 4);
        fill_two_bands(g.bits(), 3, 4, c.split, 7, 9);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(g.at(x, y), y < c.top_rows ? 7 : 9) << "split " << c.split;
    }
}

TEST(FillBytes, UsesLowEightBits) {
    Grid g(4, 2);
    fill_bytes(g.bits(), 4, 2, 0x1FF);
    for (uint8_t v : g.px) EXPECT_EQ(v, 0xFF);
}

TEST(PixelAddress, RejectsOutsideAndLeavesOutUntouched) {
    Grid g(4, 3);
    ImageRef img = make_image_ref(g.bits(), 4, 3);
    uint8_t sentinel = 0;
    uint8_t* out = &sentinel;
    EXPECT_EQ(pixel_address(img, 4, 1, &out), -1);
    EXPECT_EQ(pixel_address(img, 1, -1, &out), -1);
    EXPECT_EQ(pixel_address(img, -1, 0, &out), -1);
    EXPECT_EQ(pixel_address(img, 0, 3, &out), -1);
    EXPECT_EQ(out, &sentinel);
    EXPECT_EQ(pixel_address(img, 3, 2, &out), 0);
    EXPECT_EQ(out, g.bits() + 2 * 4 + 3);
}

TEST(ImageRefSetters, FillAllThreeFields) {
    uint8_t buf[6];
    ImageRef img;
    set_image_ref(&img, buf, 3, 2);
    EXPECT_EQ(img.bits, buf);
    EXPECT_EQ(img.width, 3);
    EXPECT_EQ(img.height, 2);
}

TEST(BlitTransparent, ZeroSourceChangesNothing) {
    Grid dst(5, 5, 4);
    std::vector<uint8_t> src(9, 0);
    blit_transparent(dst.bits(), 5, 5, src.data(), 3, 3, 1, 1);
    for (uint8_t v : dst.px) EXPECT_EQ(v, 4);
}

TEST(BlitTransparent, NegativeOffsetEntersTheSourceAtTheClip) {
    Grid dst(4, 4);
    // 5 x 5 source whose pixel (c, r) is 10 * r + c + 1.
    std::vector<uint8_t> src(25);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c) src[r * 5 + c] = uint8_t(10 * r + c + 1);
    blit_transparent(dst.bits(), 4, 4, src.data(), 5, 5, -2, -3);
    EXPECT_EQ(dst.at(0, 0), 10 * 3 + 2 + 1);
    EXPECT_EQ(dst.at(2, 1), 10 * 4 + 4 + 1);
    EXPECT_EQ(dst.at(3, 0), 0);  // source column 5 does not exist
    EXPECT_EQ(dst.at(0, 2), 0);  // source row 5 does not exist
}

TEST(BlitTransparent, SkipsZeroBytes) {
    Grid dst(3, 1, 9);
    const uint8_t src[3] = {1, 0, 2};
    blit_transparent(dst.bits(), 3, 1, src, 3, 1, 0, 0);
    EXPECT_EQ(dst.px, (std::vector<uint8_t>{1, 9, 2}));
}

TEST(BlitScaledTransparent, ShrinkSamplesByFixedPointStep) {
    // 7 x 7 to 2 x 2: step 14336 (3.5 pixels) samples columns and rows 0 and 3.
    std::vector<uint8_t> src(49);
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 7; ++c) src[r * 7 + c] = uint8_t(10 * r + c + 1);
    Grid dst(2, 2);
    blit_scaled_transparent(dst.bits(), 2, 2, src.data(), 7, 7, 0, 0, 2, 2);
    EXPECT_EQ(dst.px, (std::vector<uint8_t>{1, 4, 31, 34}));
}

TEST(BlitScaledTransparent, EnlargeAndClipLeft) {
    const uint8_t src[2] = {5, 6};
    Grid dst(3, 1);
    blit_scaled_transparent(dst.bits(), 3, 1, src, 2, 1, -1, 0, 4, 1);  // 5 5 6 6 shifted left
    EXPECT_EQ(dst.px, (std::vector<uint8_t>{5, 6, 6}));
    Grid untouched(3, 1);
    blit_scaled_transparent(untouched.bits(), 3, 1, src, 2, 1, 0, 0, 0, 1);
    blit_scaled_transparent(untouched.bits(), 3, 1, src, 2, 1, 3, 0, 2, 1);
    blit_scaled_transparent(untouched.bits(), 3, 1, src, 2, 1, 0, 0, 8193, 1);  // step 0
    EXPECT_EQ(untouched.px, (std::vector<uint8_t>{0, 0, 0}));
}

TEST(FlipRows, SwapsOuterRowsKeepsMiddle) {
    Grid g(2, 3);
    g.px = {1, 2, 3, 4, 5, 6};
    flip_rows(g.bits(), 2, 3);
    EXPECT_EQ(g.px, (std::vector<uint8_t>{5, 6, 3, 4, 1, 2}));
    Grid one(3, 1);
    one.px = {7, 8, 9};
    flip_rows(one.bits(), 3, 1);
    EXPECT_EQ(one.px, (std::vector<uint8_t>{7, 8, 9}));
    Grid even(5, 4);  // a width that is not a multiple of four
    for (size_t i = 0; i < even.px.size(); ++i) even.px[i] = uint8_t(i);
    flip_rows(even.bits(), 5, 4);
    EXPECT_EQ(even.at(4, 0), 19);
    EXPECT_EQ(even.at(0, 3), 0);
}

// Every primitive, fed random and extreme arguments, writes only inside its buffer: the buffer
// sits between guard bytes that must survive.
TEST(RasterProperties, NeverWritesOutsideTheBuffer) {
    std::mt19937 rng(1234);
    const int32_t extremes[] = {INT32_MIN, INT32_MIN + 1, -70000,        -1,       0, 1, 2, 7,
                                13,        70000,         INT32_MAX - 1, INT32_MAX};
    auto any = [&](int spread) -> int32_t {
        if (rng() % 4 == 0) return extremes[rng() % std::size(extremes)];
        return int32_t(rng() % (2 * spread + 1)) - spread;
    };
    constexpr int W = 13, H = 7, GUARD = 64;
    std::vector<uint8_t> mem(GUARD + W * H + GUARD, 0xAB);
    uint8_t* bits = mem.data() + GUARD;
    std::vector<uint8_t> src(5 * 4, 3);
    for (int i = 0; i < 3000; ++i) {
        const int32_t v = 10;
        switch (i % 5) {
            case 0: draw_line(bits, W, H, any(40), any(40), any(40), any(40), v); break;
            case 1:
                draw_thick_box(bits, W, H, any(40), any(40), any(40), any(40), any(20), v);
                break;
            case 2: blit_transparent(bits, W, H, src.data(), 5, 4, any(30), any(30)); break;
            case 3:
                blit_scaled_transparent(bits, W, H, src.data(), 5, 4, any(30), any(30), any(60),
                                        any(60));
                break;
            case 4: fill_two_bands(bits, W, H, any(20), 1, 2); break;
        }
    }
    for (int i = 0; i < GUARD; ++i) {
        ASSERT_EQ(mem[i], 0xAB);
        ASSERT_EQ(mem[GUARD + W * H + i], 0xAB);
    }
}

}  // namespace
