// Stamps end to end: mepu-script cuts a stamp out of a drawing by dragging on the stamp page,
// presses it onto the next frame and saves; the saved frames are compared with the prediction.
#include <functional>

#include "frame_ops_test_support.h"

namespace {

using namespace menu_script;

// An L whose bars end at x = 59 and y = 169: lopsided, so a turned or shifted copy shows.
Picture l_shape() {
    Picture picture;
    picture.fill(40, 150, 43, 169);
    picture.fill(40, 166, 59, 169);
    return picture;
}

// The part of `source` inside the rectangle, laid onto `target` at (x, y) in `value`.
void press(Picture& target, const Picture& source, int left, int top, int width, int height, int x,
           int y, uint8_t value) {
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            if (source.at(left + column, top + row) == CANVAS_INK) {
                target.set(x + column, y + row, value);
            }
        }
    }
}

std::string drag(Point from, Point to) {
    return at("move", from) + "press left\n" + at("move", to) + "release left\n";
}

Picture all_black() {
    Picture picture;
    picture.fill(0, 0, CANVAS_WIDTH - 1, CANVAS_HEIGHT - 1);
    return picture;
}

struct StampScriptCase {
    const char* name;
    Picture second_frame;
    std::string steps;  // on the stamp page, at frame 0
    std::function<Picture()> expected_second_frame;
    const char8_t* expected_status;  // after the stamp was made
};

TEST(StampsScriptTest, StampsCutFromADrawingArePressedOntoTheNextFrame) {
    const std::string press_white_at_200_100 = click(STAMP_WHITE) + click(STAMP_NEXT_FRAME) +
                                               click(STAMP_PRESS) + at("move", {200, 100}) +
                                               "press left\nrelease left\n" + at("rclick", NOWHERE);
    const auto l_in_white_at_200_100 = [] {
        Picture expected = all_black();
        press(expected, l_shape(), 38, 148, 24, 24, 200, 100, CANVAS_PAPER);
        return expected;
    };
    const StampScriptCase cases[] = {
        {"black_cut_white_press", all_black(),
         drag({38, 148}, {62, 172}) + dump_text("status.txt") + press_white_at_200_100,
         l_in_white_at_200_100, u8"0個目のスタンプ（最大1個）スタンプの色は黒です"},
        {"dragged_backwards", all_black(),
         drag({62, 172}, {38, 148}) + dump_text("status.txt") + press_white_at_200_100,
         l_in_white_at_200_100, u8"0個目のスタンプ（最大1個）"},
        {"trail_while_held", Picture{},
         drag({38, 148}, {62, 172}) + dump_text("status.txt") + click(STAMP_NEXT_FRAME) +
             click(STAMP_PRESS) + at("move", {100, 20}) + "press left\n" + at("move", {130, 20}) +
             at("move", {160, 20}) + "release left\n" + at("rclick", NOWHERE),
         [] {
             Picture expected;
             for (int x : {100, 130, 160}) {
                 press(expected, l_shape(), 38, 148, 24, 24, x, 20, CANVAS_INK);
             }
             return expected;
         },
         u8"0個目のスタンプ（最大1個）"},
        // Dragged past the left edge: the selection is clipped there, so the part right of
        // x = 49 stays out of the stamp.
        {"clipped_at_the_edge", all_black(),
         drag({-10, 148}, {50, 172}) + dump_text("status.txt") + press_white_at_200_100,
         [] {
             Picture expected = all_black();
             press(expected, l_shape(), 0, 148, 50, 24, 200, 100, CANVAS_PAPER);
             return expected;
         },
         u8"0個目のスタンプ（最大1個）"},
        // No pixel selected: no stamp is made, so there is nothing to press.
        {"zero_size", all_black(),
         at("move", {50, 160}) + "press left\nrelease left\n" + dump_text("status.txt") +
             press_white_at_200_100,
         all_black, u8"0個目のスタンプ（最大0個）"},
        {"off_the_canvas", all_black(),
         drag({-30, -30}, {-5, -5}) + dump_text("status.txt") + press_white_at_200_100, all_black,
         u8"0個目のスタンプ（最大0個）"},
        {"cancelled", all_black(),
         at("move", {38, 148}) + "press left\n" + at("move", {62, 172}) + "press right\n" +
             "release right\nrelease left\n" + dump_text("status.txt") + press_white_at_200_100,
         all_black, u8"0個目のスタンプ（最大0個）"},
    };
    for (const StampScriptCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string input =
            write_animation(std::string("stamps_") + c.name, {l_shape(), c.second_frame});
        const ScriptRun run = run_mepu_script(std::string("stamps_") + c.name,
                                              start_with_file(input) + click(SYSTEM_TO_DRAWING) +
                                                  click(DRAWING_TO_STAMP) + click(STAMP_NEW) +
                                                  c.steps + click(STAMP_TO_DRAWING) +
                                                  click(DRAWING_TO_SYSTEM) + save_as("out.mpa"));
        ASSERT_EQ(run.exit_code, 0) << run.output;
        const std::vector<uint8_t> expected =
            animation_file_bytes({l_shape(), c.expected_second_frame()});
        EXPECT_TRUE(read_file(run.path("out.mpa")) == expected);
        const std::string status = utf8(c.expected_status);
        EXPECT_EQ(read_text(run.path("status.txt")).substr(0, status.size()), status);
    }
}

}  // namespace
