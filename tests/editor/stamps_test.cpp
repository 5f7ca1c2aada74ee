// The stamp store, the stamp image and crop_rectangle; cutting and pressing stamps with the
// pointer is driven by scripts.
#include <algorithm>
#include <memory>

#include "editor/commands.h"
#include "editor/stamps.h"
#include "raster/raster.h"
#include "frame_ops_test_support.h"

namespace {

// A canvas whose every pixel tells its position, so a copy shows where it came from.
std::vector<uint8_t> position_canvas_bits() {
    std::vector<uint8_t> canvas(FRAME_PIXELS);
    for (int i = 0; i < FRAME_PIXELS; ++i) {
        canvas[i] = static_cast<uint8_t>((i % CANVAS_WIDTH) * 7 + (i / CANVAS_WIDTH) * 3);
    }
    return canvas;
}

TEST(CropRectangle, KeepsThePartOnTheCanvas) {
    struct Case {
        CropRect rect;
        int left, top, width, height;  // the part expected; width 0 for none
    };
    const Case cases[] = {
        {{10, 20, 30, 5}, 10, 20, 30, 5},
        {{0, 0, 320, 240}, 0, 0, 320, 240},
        {{300, 230, 50, 40}, 300, 230, 20, 10},
        {{319, 239, 1, 1}, 319, 239, 1, 1},
        // Dragged past the left or top edge: clipped there, not shifted.
        {{-5, 10, 20, 4}, 0, 10, 15, 4},
        {{7, -3, 4, 10}, 7, 0, 4, 7},
        {{-10, -10, 400, 300}, 0, 0, 320, 240},
        {{320, 10, 5, 5}, 0, 0, 0, 0},
        {{10, 240, 5, 5}, 0, 0, 0, 0},
        {{-5, 10, 5, 5}, 0, 0, 0, 0},
        {{10, -5, 5, 5}, 0, 0, 0, 0},
        {{10, 10, 0, 5}, 0, 0, 0, 0},
        {{10, 10, 5, 0}, 0, 0, 0, 0},
        {{2147483600, 10, 2147483600, 5}, 0, 0, 0, 0},
    };
    const std::vector<uint8_t> canvas = position_canvas_bits();
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.rect.x << "," << c.rect.y << " " << c.rect.width << "x" << c.rect.height);
        int width = -1, height = -1;
        std::unique_ptr<uint8_t[]> copy(
            crop_rectangle(canvas.data(), CANVAS_WIDTH, CANVAS_HEIGHT, c.rect, &width, &height));
        ASSERT_EQ(width, c.width);
        ASSERT_EQ(height, c.height);
        ASSERT_EQ(copy != nullptr, c.width > 0);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                ASSERT_EQ(copy[y * width + x], canvas[(c.top + y) * CANVAS_WIDTH + c.left + x]);
            }
        }
    }
}

class StampTest : public LetteredFramesFixture {
protected:
    // Adds a stamp cut from a picture with ink in the given rows of a width x height block.
    void add_stamp(int width, int height, int first_ink_row) {
        StampStore& store = stamp_store();
        std::vector<uint8_t> picture(static_cast<size_t>(width) * height, CANVAS_PAPER);
        std::fill_n(picture.begin() + first_ink_row * width, width, CANVAS_INK);
        Stamp& stamp = store.stamps[store.stamp_count];
        ASSERT_GE(compress_canvas(picture.data(), width, height, &stamp.frame), 0);
        stamp.width = width;
        stamp.height = height;
        store.stamp_count += 1;
    }
    // Which stamp the image shows, by its size (the tests give each stamp its own width).
    static int image_width() { return stamp_store().stamp_image.width; }
};

TEST_F(StampTest, NextAndPreviousStopAtTheEnds) {
    add_stamp(4, 2, 0);
    add_stamp(5, 2, 0);
    add_stamp(6, 2, 0);
    StampStore& store = stamp_store();
    store.current_stamp = 0;
    load_current_stamp();
    previous_stamp();
    EXPECT_EQ(store.current_stamp, 0);
    next_stamp();
    EXPECT_EQ(store.current_stamp, 1);
    EXPECT_EQ(image_width(), 5);
    next_stamp();
    next_stamp();
    EXPECT_EQ(store.current_stamp, 2);
    EXPECT_EQ(image_width(), 6);
    previous_stamp();
    EXPECT_EQ(store.current_stamp, 1);
    EXPECT_EQ(image_width(), 5);
}

TEST_F(StampTest, WithoutStampsTheCommandsDoNothing) {
    const int presents = script_host_present_count();
    next_stamp();
    previous_stamp();
    delete_stamp();
    stamp_tool();
    EXPECT_EQ(stamp_store().stamp_count, 0);
    EXPECT_EQ(stamp_store().current_stamp, 0);
    EXPECT_EQ(script_host_present_count(), presents);
    EXPECT_TRUE(script_host_messages().empty());
    fill_bytes(canvas_bits(), CANVAS_WIDTH, CANVAS_HEIGHT, CANVAS_PAPER);
    draw_current_stamp();
    EXPECT_TRUE(canvas_shows('_'));
}

TEST_F(StampTest, DeleteSelectsTheFollowingStampUnderTheSameIndex) {
    struct Case {
        int count;
        int current;
        MessageAnswer answer;
        int expected_count;
        int expected_current;
        int expected_width;  // 0: no stamp left to show
    };
    const Case cases[] = {
        {3, 1, MessageAnswer::yes, 2, 1, 6}, {3, 2, MessageAnswer::yes, 2, 1, 5},
        {3, 0, MessageAnswer::yes, 2, 0, 5}, {3, 1, MessageAnswer::no, 3, 1, 5},
        {1, 0, MessageAnswer::yes, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.count << " " << c.current);
        release_stamps();
        for (int i = 0; i < c.count; ++i) {
            add_stamp(4 + i, 2, 0);
        }
        stamp_store().current_stamp = c.current;
        load_current_stamp();
        script_host_queue_answer(c.answer);
        delete_stamp();
        EXPECT_EQ(stamp_store().stamp_count, c.expected_count);
        EXPECT_EQ(stamp_store().current_stamp, c.expected_current);
        if (c.expected_width > 0) {
            EXPECT_EQ(image_width(), c.expected_width);
        }
        for (int slot = c.expected_count; slot < STAMP_SLOTS; ++slot) {
            EXPECT_EQ(stamp_store().stamps[slot].frame, nullptr) << "slot " << slot;
        }
    }
    EXPECT_TRUE(logged(utf8(u8"box yes_no none \"なかまはずれ\" \"削除してよろしいですか\"")));
}

TEST_F(StampTest, ImageShowsTheLinesInTheStampColourAndIsTransparentElsewhere) {
    add_stamp(3, 2, 1);
    load_current_stamp();
    struct Case {
        int color;
    };
    for (const Case& c : {Case{CANVAS_PAPER}, Case{CANVAS_INK}}) {
        set_stamp_color(c.color);
        const StampImage& image = stamp_store().stamp_image;
        ASSERT_EQ(image.width, 3);
        ASSERT_EQ(image.height, 2);
        const std::vector<uint8_t> pixels(image.bits, image.bits + 6);
        const uint8_t line = static_cast<uint8_t>(c.color);
        EXPECT_EQ(pixels, (std::vector<uint8_t>{0, 0, 0, line, line, line}));
    }
}

TEST_F(StampTest, DrawnAtItsPlaceClippedToTheTarget) {
    add_stamp(4, 3, 2);
    load_current_stamp();
    fill_bytes(canvas_bits(), CANVAS_WIDTH, CANVAS_HEIGHT, 100);
    place_current_stamp(318, 237);
    draw_current_stamp();
    int changed = 0;
    for (int i = 0; i < FRAME_PIXELS; ++i) {
        changed += canvas_bits()[i] != 100;
    }
    EXPECT_EQ(changed, 2);
    EXPECT_EQ(canvas_bits()[239 * CANVAS_WIDTH + 318], CANVAS_INK);
    EXPECT_EQ(canvas_bits()[239 * CANVAS_WIDTH + 319], CANVAS_INK);
}

TEST_F(StampTest, CreatingBeyondTheLimitIsRefusedSilently) {
    for (int i = 0; i < MAX_STAMPS; ++i) {
        add_stamp(2, 2, 0);
    }
    const int presents = script_host_present_count();
    create_stamp();
    EXPECT_EQ(stamp_store().stamp_count, MAX_STAMPS);
    EXPECT_EQ(script_host_present_count(), presents);
}

TEST_F(StampTest, ReleaseEmptiesTheStore) {
    add_stamp(2, 2, 0);
    set_stamp_color(CANVAS_PAPER);
    release_stamps();
    const StampStore& store = stamp_store();
    EXPECT_EQ(store.stamp_count, 0);
    EXPECT_EQ(store.current_stamp, 0);
    EXPECT_EQ(store.stamp_color, CANVAS_INK);
    EXPECT_EQ(store.stamp_image.bits, nullptr);
    EXPECT_EQ(store.stamps[0].frame, nullptr);
}

}  // namespace
