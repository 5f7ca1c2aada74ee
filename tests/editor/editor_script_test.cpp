// The editor end to end: mepu-script runs the real start-up and menu loop from a script, and the
// saved files, canvas dumps and text dumps are compared with what the tools should produce.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "editor/session/menu_images.h"
#include "editor_test_support.h"
#include "raster/raster.h"

namespace {

using Point = std::pair<int, int>;

std::string at(const char* command, Point p) {
    return std::string(command) + " " + std::to_string(p.first) + " " + std::to_string(p.second) +
           "\n";
}

// Button positions (a few pixels inside each face).
constexpr Point WELCOME{300, 230};
constexpr Point SYS_TO_DRAWING{40, 136};
constexpr Point SYS_SAVE{170, 36};
constexpr Point SYS_ONION{40, 100};
constexpr Point DRAW_TO_SYSTEM{170, 132};
constexpr Point DRAW_TO_STAMP{14, 132};
constexpr Point DRAW_TO_EDIT{40, 148};
constexpr Point DRAW_NEXT{40, 36};
constexpr Point DRAW_PEN{230, 52};
constexpr Point DRAW_LINE{40, 116};
constexpr Point DRAW_BOX{170, 52};
constexpr Point DRAW_FILL{40, 84};
constexpr Point DRAW_UNDO{40, 100};
constexpr Point DRAW_INVERT{135, 100};
constexpr Point DRAW_CLEAR{135, 116};
constexpr Point DRAW_WHITE{40, 52};
constexpr Point DRAW_BLACK{100, 52};
constexpr Point DRAW_MEDIUM{135, 68};
constexpr Point DRAW_THICK{230, 68};
constexpr Point EMPTY{300, 200};

// Past the welcome, onto the drawing page.
std::string start_drawing() { return at("click", WELCOME) + at("click", SYS_TO_DRAWING); }

// The pointer rests on the first point, goes down, visits the others and comes up.
std::string drag(const std::vector<Point>& points) {
    std::string script = at("move", points.front()) + "press left\n";
    for (size_t i = 1; i < points.size(); ++i) script += at("move", points[i]);
    return script + "release left\n";
}

std::string pen_stroke(const std::vector<Point>& points) {
    return at("click", DRAW_PEN) + drag(points) + at("rclick", EMPTY);
}

std::string two_point_shape(Point tool, Point from, Point to) {
    return at("click", tool) + drag({from, to}) + at("rclick", EMPTY);
}

// From the drawing page: to the system page, save under `name`, back to drawing.
std::string save_as(const std::string& name) {
    return at("click", DRAW_TO_SYSTEM) + "file " + name + "\n" + at("click", SYS_SAVE) +
           at("click", SYS_TO_DRAWING);
}

void expect_saved(const ScriptRun& run, const std::string& name,
                  const std::vector<Picture>& frames) {
    ASSERT_EQ(run.exit_code, 0) << run.output;
    const std::vector<uint8_t> saved = read_file(run.path(name));
    const std::vector<uint8_t> expected = animation_file_bytes(frames);
    EXPECT_EQ(saved.size(), expected.size()) << name;
    EXPECT_TRUE(saved == expected) << name << " holds other bytes than predicted";
}

Picture inverted(const Picture& picture) {
    Picture result = picture;
    for (uint8_t& pixel : result.pixels) pixel = pixel == CANVAS_INK ? CANVAS_PAPER : CANVAS_INK;
    return result;
}

void stamp_small_brush(Picture& picture, int x, int y) {
    const int cells[3][3] = {{0, 1, 1}, {1, 1, 1}, {1, 1, 1}};
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            if (cells[row][column]) picture.set(x + column, y + row);
}

struct DrawingCase {
    const char* name;
    std::string script;  // after start_drawing, before the save
    std::function<Picture()> expected;
};

TEST(EditorScriptTest, EachToolWidthAndColourSavesThePredictedFrame) {
    const DrawingCase cases[] = {
        {"thin_pen", pen_stroke({{4, 5}, {5, 5}, {15, 5}}),
         [] {
             Picture p;
             p.fill(5, 5, 14, 5);
             return p;
         }},
        {"click_without_moving", pen_stroke({{50, 50}}), [] { return Picture{}; }},
        {"thin_pen_top_row", pen_stroke({{4, 0}, {5, 0}, {50, 0}}), [] { return Picture{}; }},
        {"medium_pen", at("click", DRAW_MEDIUM) + pen_stroke({{9, 10}, {10, 10}, {11, 10}}),
         [] {
             Picture p;
             stamp_small_brush(p, 10, 10);
             stamp_small_brush(p, 11, 10);
             return p;
         }},
        {"thick_pen_top_row", at("click", DRAW_THICK) + pen_stroke({{19, 0}, {20, 0}, {21, 0}}),
         [] {
             Picture p;
             for (int x : {20, 21}) {
                 p.fill(x + 2, 0, x + 4, 0);
                 p.fill(x + 1, 1, x + 5, 1);
                 p.fill(x, 2, x + 6, 4);
                 p.fill(x + 1, 5, x + 5, 5);
                 p.fill(x + 2, 6, x + 4, 6);
             }
             return p;
         }},
        {"polyline", pen_stroke({{9, 30}, {10, 30}, {30, 30}, {30, 50}}),
         [] {
             Picture p;
             p.fill(10, 30, 29, 30);
             p.fill(30, 30, 30, 49);
             return p;
         }},
        {"white_pen_on_black",
         at("click", DRAW_INVERT) + at("click", DRAW_WHITE) + pen_stroke({{4, 5}, {5, 5}, {15, 5}}),
         [] {
             Picture p;
             p.fill(5, 5, 14, 5);
             return inverted(p);
         }},
        {"thin_line", two_point_shape(DRAW_LINE, {5, 5}, {15, 5}),
         [] {
             Picture p;
             p.fill(5, 5, 14, 5);
             return p;
         }},
        {"box_from_upper_right", two_point_shape(DRAW_BOX, {20, 20}, {10, 30}),
         [] {
             Picture p;
             p.box(10, 20, 20, 30, 1);
             return p;
         }},
        {"box_from_lower_left", two_point_shape(DRAW_BOX, {10, 30}, {20, 20}),
         [] {
             Picture p;
             p.box(10, 20, 20, 30, 1);
             return p;
         }},
        {"medium_box", at("click", DRAW_MEDIUM) + two_point_shape(DRAW_BOX, {20, 20}, {10, 30}),
         [] {
             Picture p;
             p.box(10, 20, 20, 30, 3);
             return p;
         }},
        {"thick_box", at("click", DRAW_THICK) + two_point_shape(DRAW_BOX, {40, 40}, {80, 60}),
         [] {
             Picture p;
             p.box(40, 40, 80, 60, 8);
             return p;
         }},
        {"two_boxes_one_use",
         at("click", DRAW_BOX) + drag({{10, 10}, {20, 20}}) + drag({{50, 50}, {60, 70}}) +
             at("rclick", EMPTY),
         [] {
             Picture p;
             p.box(10, 10, 20, 20, 1);
             p.box(50, 50, 60, 70, 1);
             return p;
         }},
        {"fill_around_the_wall",
         two_point_shape(DRAW_BOX, {10, 10}, {110, 110}) +
             two_point_shape(DRAW_LINE, {60, 10}, {60, 71}) + at("click", DRAW_FILL) +
             at("click", {30, 40}) + at("rclick", EMPTY),
         [] {
             Picture p;
             p.box(10, 10, 110, 110, 1);
             p.fill(60, 10, 60, 70);
             p.fill(11, 11, 59, 109);
             p.fill(60, 71, 109, 109);
             return p;
         }},
        {"invert_clear_undo",
         pen_stroke({{4, 5}, {5, 5}, {15, 5}}) + at("click", DRAW_INVERT) +
             at("click", DRAW_CLEAR) + at("click", DRAW_UNDO),
         [] {
             Picture p;
             p.fill(5, 5, 14, 5);
             return inverted(p);
         }},
        {"undo_last_shape",
         pen_stroke({{4, 5}, {5, 5}, {15, 5}}) + two_point_shape(DRAW_BOX, {30, 30}, {40, 40}) +
             at("click", DRAW_UNDO),
         [] {
             Picture p;
             p.fill(5, 5, 14, 5);
             return p;
         }},
        {"black_again_after_white",
         at("click", DRAW_WHITE) + at("click", DRAW_BLACK) + pen_stroke({{4, 5}, {5, 5}, {15, 5}}),
         [] {
             Picture p;
             p.fill(5, 5, 14, 5);
             return p;
         }},
    };
    for (const DrawingCase& row : cases) {
        SCOPED_TRACE(row.name);
        const ScriptRun run =
            run_mepu_script(row.name, start_drawing() + row.script + save_as("out.mpa"));
        expect_saved(run, "out.mpa", {row.expected()});
    }
}

TEST(EditorScriptTest, AStrokeLongerThanItsBufferStaysUnbroken) {
    // A serpentine of single-pixel steps: rows left to right and back, two rows apart, so that
    // every segment of the thin pen draws pixels no other segment draws.
    std::vector<Point> points;
    int x = 10;
    int y = 20;
    int direction = 1;
    points.push_back({x - 1, y});  // where the pointer rests when the button goes down
    while (points.size() < 16384 + 300) {
        points.push_back({x, y});
        if ((direction > 0 && x == 300) || (direction < 0 && x == 10)) {
            points.push_back({x, y + 1});
            y += 2;
            points.push_back({x, y});
            direction = -direction;
        }
        x += direction;
    }
    const ScriptRun run =
        run_mepu_script("long_stroke", start_drawing() + pen_stroke(points) + save_as("long.mpa"));
    Picture expected;
    for (size_t i = 1; i + 1 < points.size(); ++i)
        draw_line(expected.pixels.data(), 320, 240, points[i].first, points[i].second,
                  points[i + 1].first, points[i + 1].second, CANVAS_INK);
    expect_saved(run, "long.mpa", {expected});
}

TEST(EditorScriptTest, RightButtonWhileDraggingDropsTheToolsShapesAndUndoBringsThemBack) {
    const std::string script = start_drawing() + at("click", DRAW_BOX) +
                               drag({{10, 10}, {20, 20}}) + at("move", {50, 50}) + "press left\n" +
                               at("move", {60, 60}) + "press right\n" +
                               "release right\nrelease left\n" + save_as("dropped.mpa") +
                               at("click", DRAW_UNDO) + save_as("undone.mpa");
    const ScriptRun run = run_mepu_script("drop_shapes", script);
    expect_saved(run, "dropped.mpa", {empty_frame()});
    Picture first_box;
    first_box.box(10, 10, 20, 20, 1);
    expect_saved(run, "undone.mpa", {first_box});
}

TEST(EditorScriptTest, OnionSkinShowsEarlierFramesWhileDrawingButNeverStoresThem) {
    Picture first;
    first.fill(10, 100, 19, 100);
    Picture second;
    second.fill(10, 110, 19, 110);
    Picture third;
    third.fill(5, 100, 29, 100);  // drawn across the grey of the first frame
    const std::string script =
        at("click", WELCOME) + "value 2\n" + at("click", SYS_ONION) + at("click", SYS_TO_DRAWING) +
        pen_stroke({{9, 100}, {10, 100}, {20, 100}}) + at("click", DRAW_NEXT) +
        pen_stroke({{9, 110}, {10, 110}, {20, 110}}) + at("click", DRAW_NEXT) +
        at("click", DRAW_PEN) + "dump canvas view.bin\n" + drag({{4, 100}, {5, 100}, {30, 100}}) +
        at("rclick", EMPTY) + save_as("onion.mpa");
    const ScriptRun run = run_mepu_script("onion", script);
    expect_saved(run, "onion.mpa", {first, second, third});
    Picture view;
    view.fill(10, 100, 19, 100, 220);
    view.fill(10, 110, 19, 110, 156);
    const Picture got = read_canvas_dump(run.path("view.bin"));
    EXPECT_EQ(got, view) << describe_difference(got, view);
}

TEST(EditorScriptTest, PagesShowTheirImagesOverTheFaintFrame) {
    // An inverted fresh frame is all black, so every page shows grey 190 under its image.
    const struct {
        const char* image;
        std::string path;
    } pages[] = {
        {"sysmenu.dib", at("click", DRAW_TO_SYSTEM)},
        {"animmenu.dib", ""},
        {"stpmenu.dib", at("click", DRAW_TO_STAMP)},
        {"editmenu.dib", at("click", DRAW_TO_EDIT)},
    };
    for (const auto& page : pages) {
        SCOPED_TRACE(page.image);
        const std::string script = start_drawing() + at("click", DRAW_INVERT) + page.path +
                                   at("move", EMPTY) + "dump canvas page.bin\n";
        const ScriptRun run = run_mepu_script(std::string("page_") + page.image, script);
        ASSERT_EQ(run.exit_code, 0) << run.output;
        Picture expected;
        expected.fill(0, 0, 319, 239, 190);
        ImageRef image;
        const std::string image_path = std::string(MEPU_DATA_DIR) + "/" + page.image;
        ASSERT_EQ(load_menu_image(image_path.c_str(), &image), 0);
        blit_transparent(expected.pixels.data(), 320, 240, image.bits, image.width, image.height, 0,
                         0);
        std::free(image.bits);
        const Picture got = read_canvas_dump(run.path("page.bin"));
        EXPECT_EQ(got, expected) << describe_difference(got, expected);
    }
}

TEST(EditorScriptTest, HoverShowsHelpUnderTheStatusLine) {
    const std::string script =
        start_drawing() + at("move", DRAW_NEXT) + "dump text next.txt\n" + at("move", EMPTY) +
        "dump text empty.txt\n" + at("click", DRAW_TO_SYSTEM) + at("move", {40, 84}) +
        "dump text none.txt\n" + at("move", {40, 36}) + "dump text load.txt\n";
    const ScriptRun run = run_mepu_script("hover", script);
    ASSERT_EQ(run.exit_code, 0) << run.output;
    const std::string status = utf8(u8"0コマ目を編集中(全1コマ) ペンの色は黒 ふとさはごくほそ\n");
    const auto text = [&](const char* name) {
        const std::vector<uint8_t> bytes = read_file(run.path(name));
        return shown_text(std::string(bytes.begin(), bytes.end()));
    };
    EXPECT_EQ(text("next.txt"), status + utf8(u8"次のコマを編集します\n"));
    EXPECT_EQ(text("empty.txt"), status + utf8(u8"右ボタンで状況表示ウインドウを呼び出します\n"));
    EXPECT_EQ(text("none.txt"), "");  // code 46: the window is only cleared
    EXPECT_EQ(text("load.txt"), utf8(u8"アニメデータを読み込みます\n"));
}

TEST(EditorScriptTest, PressOnOneButtonReleaseOnAnotherRunsTheSecond) {
    // Pressed on "pen white", released on "medium": the pen stays black and medium.
    const std::string script = start_drawing() + drag({DRAW_WHITE, DRAW_MEDIUM}) +
                               drag({DRAW_PEN, EMPTY}) +  // released on empty canvas: nothing
                               pen_stroke({{9, 10}, {10, 10}, {11, 10}}) + save_as("out.mpa");
    const ScriptRun run = run_mepu_script("press_release", script);
    Picture expected;
    stamp_small_brush(expected, 10, 10);
    stamp_small_brush(expected, 11, 10);
    expect_saved(run, "out.mpa", {expected});
}

TEST(EditorScriptTest, AStartThatGivesUpEndsWithoutRunningTheMenu) {
    // No configuration file and the setup's file dialog cancelled: the start-up asks the host to
    // end, and the editor must do nothing more until it is stopped.
    const ScriptRun run = run_mepu_script(
        "gives_up", "file cancel\n" + at("click", WELCOME) + at("click", SYS_TO_DRAWING), "--log",
        false);
    ASSERT_EQ(run.exit_code, 0) << run.output;
    EXPECT_NE(run.output.find("open "), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("-> cancel"), std::string::npos) << run.output;
    EXPECT_FALSE(std::filesystem::exists(run.path("system/mepusys.ini")));
}

}  // namespace
