// The brush, the width rule, the stroke record and the frame edits (undo, clear, invert).
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "editor/session/animation.h"
#include "editor/brush.h"
#include "editor/commands.h"
#include "editor/editor_settings.h"
#include "editor/stroke_buffer.h"
#include "editor_test_support.h"
#include "host/host.h"

namespace {

class DrawingTest : public EditorFixture {};

// The brush shrunk to 3 x 3 samples mask rows and columns 0, 2 and 4.
const uint8_t SMALL_BRUSH[3][3] = {{0, 1, 1}, {1, 1, 1}, {1, 1, 1}};

void stamp_small_brush(Picture& picture, int x, int y, uint8_t value) {
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            if (SMALL_BRUSH[row][column]) picture.set(x + column, y + row, value);
}

TEST_F(DrawingTest, MediumSegmentStampsTwiceAndLeavesItsFirstPixelWhite) {
    draw_brush_line(10, 10, 11, 10, 3, CANVAS_INK);
    Picture expected;
    stamp_small_brush(expected, 10, 10, CANVAS_INK);
    stamp_small_brush(expected, 11, 10, CANVAS_INK);
    EXPECT_EQ(canvas(), expected) << describe_difference(canvas(), expected);
    EXPECT_EQ(canvas().at(10, 10), CANVAS_PAPER);
}

TEST_F(DrawingTest, ZeroLengthBrushSegmentDrawsNothing) {
    for (int size : {3, 7, 8}) {
        draw_brush_line(10, 10, 10, 10, size, CANVAS_INK);
        EXPECT_EQ(canvas(), Picture{}) << size;
    }
}

TEST_F(DrawingTest, BrushSizesSevenAndEight) {
    // Length 1 stamps at x 0 and 1; at size 7 the mask itself, at 8 its first row and column
    // doubled.
    const int sizes[] = {7, 8};
    for (int size : sizes) {
        put_canvas(Picture{});
        draw_brush_line(100, 100, 101, 100, size, 77);
        Picture expected;
        for (int stamp_x : {100, 101}) {
            for (int row = 0; row < size; ++row) {
                for (int column = 0; column < size; ++column) {
                    const int mask_row = size == 8 ? (row == 0 ? 0 : row - 1) : row;
                    const int mask_column = size == 8 ? (column == 0 ? 0 : column - 1) : column;
                    if (BRUSH_MASK[mask_row][mask_column])
                        expected.set(stamp_x + column, 100 + row, 77);
                }
            }
        }
        EXPECT_EQ(canvas(), expected) << size << describe_difference(canvas(), expected);
    }
}

TEST_F(DrawingTest, WidthRuleOfEachShape) {
    const struct {
        ShapeKind kind;
        int pen_width;
        int x1, y1, x2, y2;
        void (*expect)(Picture&);
    } cases[] = {
        // A thin segment draws pixels 5 ... 14 of row 5: its last point is not drawn.
        {ShapeKind::pen_segment, 12, 5, 5, 15, 5, [](Picture& p) { p.fill(5, 5, 14, 5); }},
        {ShapeKind::line, 12, 5, 5, 15, 5, [](Picture& p) { p.fill(5, 5, 14, 5); }},
        // Row 0 is never written by a thin line; a wide one draws there.
        {ShapeKind::pen_segment, 12, 5, 0, 50, 0, [](Picture&) {}},
        {ShapeKind::pen_segment, 13, 20, 0, 21, 0,
         [](Picture& p) {
             stamp_small_brush(p, 20, 0, CANVAS_INK);
             stamp_small_brush(p, 21, 0, CANVAS_INK);
         }},
        {ShapeKind::box, 12, 20, 20, 10, 30, [](Picture& p) { p.box(10, 20, 20, 30, 1); }},
        {ShapeKind::box, 13, 20, 20, 10, 30, [](Picture& p) { p.box(10, 20, 20, 30, 3); }},
        {ShapeKind::box, 14, 10, 30, 20, 20, [](Picture& p) { p.box(10, 20, 20, 30, 8); }},
        {ShapeKind::box, 99, 10, 20, 20, 30, [](Picture& p) { p.box(10, 20, 20, 30, 1); }},
    };
    for (const auto& row : cases) {
        put_canvas(Picture{});
        draw_shape(row.kind, row.pen_width, row.x1, row.y1, row.x2, row.y2, CANVAS_INK);
        Picture expected;
        row.expect(expected);
        EXPECT_EQ(canvas(), expected) << "width " << row.pen_width << " from " << row.x1 << ","
                                      << row.y1 << describe_difference(canvas(), expected);
    }
}

TEST_F(DrawingTest, ThickBoxEdgesGrowRightAndDown) {
    draw_shape(ShapeKind::box, 13, 20, 20, 10, 30, CANVAS_INK);
    const Picture got = canvas();
    for (int x = 20; x <= 22; ++x) EXPECT_EQ(got.at(x, 25), CANVAS_INK) << x;
    EXPECT_EQ(got.at(23, 25), CANVAS_PAPER);
    for (int y = 30; y <= 32; ++y) EXPECT_EQ(got.at(15, y), CANVAS_INK) << y;
    EXPECT_EQ(got.at(15, 33), CANVAS_PAPER);
}

using Segments = std::vector<std::pair<StrokePoint, StrokePoint>>;

void record_segment(const StrokePoint& from, const StrokePoint& to, void* context) {
    static_cast<Segments*>(context)->push_back({from, to});
}

TEST(StrokeBufferTest, AFullBufferKeepsTheLineUnbroken) {
    for (int32_t capacity : {2, 3, 5}) {
        StrokeBuffer stroke;
        ASSERT_TRUE(allocate_stroke(&stroke, capacity));
        Segments drawn;
        constexpr int points = 12;
        int flushes = 0;
        for (int i = 0; i < points; ++i)
            flushes += add_stroke_point(&stroke, {i, 2 * i}, record_segment, &drawn);
        rasterise_stroke(stroke, record_segment, &drawn);
        EXPECT_GT(flushes, 0) << capacity;
        // Every consecutive pair is joined exactly once, in order.
        ASSERT_EQ(drawn.size(), size_t(points - 1)) << capacity;
        for (int i = 0; i + 1 < points; ++i) {
            EXPECT_EQ(drawn[i].first.x, i) << capacity;
            EXPECT_EQ(drawn[i].second.x, i + 1) << capacity;
            EXPECT_EQ(drawn[i].second.y, 2 * (i + 1)) << capacity;
        }
    }
}

TEST(StrokeBufferTest, OnePointDrawsNothingAndTheRealCapacityIsTheStrokeLimit) {
    StrokeBuffer stroke;
    ASSERT_TRUE(allocate_stroke(&stroke));
    EXPECT_EQ(stroke.capacity, STROKE_CAPACITY);
    Segments drawn;
    for (int i = 0; i < STROKE_CAPACITY; ++i)
        EXPECT_FALSE(add_stroke_point(&stroke, {i % 300, i / 300}, record_segment, &drawn));
    EXPECT_TRUE(drawn.empty());
    EXPECT_TRUE(add_stroke_point(&stroke, {1, 1}, record_segment, &drawn));
    EXPECT_EQ(drawn.size(), size_t(STROKE_CAPACITY - 1));
    EXPECT_EQ(stroke.count, 2);

    StrokeBuffer single;
    ASSERT_TRUE(allocate_stroke(&single));
    Segments none;
    add_stroke_point(&single, {4, 4}, record_segment, &none);
    rasterise_stroke(single, record_segment, &none);
    EXPECT_TRUE(none.empty());
}

TEST_F(DrawingTest, UndoBeforeAnyDrawingMakesTheFrameWhite) {
    Picture picture;
    picture.fill(30, 30, 60, 60);
    set_frame(0, picture);
    undo_drawing();
    EXPECT_EQ(frame_picture(0), Picture{});
    // The snapshot stays: a second undo gives the same picture.
    undo_drawing();
    EXPECT_EQ(frame_picture(0), Picture{});
}

TEST_F(DrawingTest, ClearKeepsTheOldPictureForUndo) {
    Picture picture;
    picture.fill(30, 30, 60, 60);
    picture.set(0, 0);
    set_frame(0, picture);
    clear_frame();
    EXPECT_EQ(frame_picture(0), Picture{});
    EXPECT_EQ(animation().frames[0]->token_count, 600);
    undo_drawing();
    EXPECT_EQ(frame_picture(0), picture);
}

TEST_F(DrawingTest, UndoAfterMovingWritesTheSnapshotIntoTheOtherFrame) {
    Picture first;
    first.fill(1, 1, 9, 9);
    set_frame(0, first);
    Picture second;
    second.fill(100, 100, 120, 120);
    set_frame(1, second);
    clear_frame();  // frame 0 becomes white, its picture the snapshot
    animation().current_frame = 1;
    undo_drawing();
    EXPECT_EQ(frame_picture(1), first);
    EXPECT_EQ(frame_picture(0), Picture{});
}

TEST_F(DrawingTest, InvertTogglesTheStoredTokensAndTwiceRestoresThem) {
    Picture picture;
    picture.fill(10, 10, 200, 100);
    picture.set(0, 0);
    set_frame(0, picture);
    const Frame* before = animation().frames[0];
    const std::vector<uint8_t> tokens(frame_tokens(before),
                                      frame_tokens(before) + before->token_count);
    invert_frame();
    Picture inverted;
    for (size_t i = 0; i < inverted.pixels.size(); ++i)
        inverted.pixels[i] = picture.pixels[i] == CANVAS_INK ? CANVAS_PAPER : CANVAS_INK;
    EXPECT_EQ(frame_picture(0), inverted);
    invert_frame();
    const Frame* after = animation().frames[0];
    EXPECT_EQ(std::vector<uint8_t>(frame_tokens(after), frame_tokens(after) + after->token_count),
              tokens);
}

TEST_F(DrawingTest, InvertingAFreshEmptyFrameMakesItBlack) {
    ASSERT_EQ(animation().frames[0]->token_count, 0);
    invert_frame();
    Picture black;
    black.fill(0, 0, 319, 239);
    EXPECT_EQ(frame_picture(0), black);
    invert_frame();
    EXPECT_EQ(frame_picture(0), Picture{});
}

}  // namespace
