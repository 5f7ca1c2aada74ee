// Menu pages: hit test, help and status texts, dispatch of settings, the right-button edge and
// the drawing of the pages.
#include <gtest/gtest.h>

#include "editor/session/animation.h"
#include "editor/command_codes.h"
#include "editor/commands.h"
#include "editor/editor_settings.h"
#include "editor/menu_loop.h"
#include "editor/menu_pages.h"
#include "editor/stamps.h"
#include "editor_test_support.h"
#include "host/host.h"
#include "host/script/script_host_testing.h"

namespace {

class MenuTest : public EditorFixture {};

struct ButtonRow {
    int page;
    int x;
    int y;
    int code;
};

// Every button as the pages list them; each is probed just inside its top-left corner, where no
// earlier button of its page reaches.
const ButtonRow ALL_BUTTONS[] = {
    {2, 32, 32, 40},  {2, 32, 48, 42},  {2, 32, 64, 44},  {2, 32, 80, 46},   {2, 32, 96, 47},
    {2, 32, 112, 16}, {2, 32, 128, 48}, {2, 160, 32, 41}, {2, 160, 48, 43},  {2, 160, 64, 45},
    {2, 160, 80, 49}, {3, 32, 32, 19},  {3, 32, 48, 10},  {3, 32, 64, 12},   {3, 32, 80, 15},
    {3, 32, 96, 21},  {3, 32, 112, 22}, {3, 8, 128, 25},  {3, 96, 32, 20},   {3, 96, 48, 11},
    {3, 128, 64, 13}, {3, 128, 80, 18}, {3, 128, 96, 23}, {3, 128, 112, 24}, {3, 160, 128, 26},
    {3, 160, 32, 16}, {3, 160, 48, 17}, {3, 224, 64, 14}, {3, 224, 32, 27},  {3, 224, 48, 28},
    {3, 32, 144, 29}, {4, 32, 32, 60},  {4, 32, 48, 16},  {4, 32, 64, 63},   {4, 96, 32, 61},
    {4, 96, 48, 48},  {4, 160, 64, 64}, {4, 192, 32, 62}, {4, 32, 80, 19},   {4, 96, 80, 20},
    {4, 160, 80, 16}, {4, 224, 80, 27}, {4, 32, 96, 65},  {4, 96, 96, 66},   {5, 32, 32, 19},
    {5, 96, 32, 20},  {5, 160, 32, 16}, {5, 224, 32, 27}, {5, 32, 48, 80},   {5, 172, 48, 81},
    {5, 32, 64, 83},  {5, 172, 64, 82}, {5, 32, 96, 48},  {5, 32, 80, 84},
};

TEST_F(MenuTest, EveryButtonAnswersWithItsCode) {
    for (const ButtonRow& row : ALL_BUTTONS) {
        editor_settings().menu_page = row.page;
        EXPECT_EQ(hit_test_menu(row.x + 3, row.y + 3), row.code)
            << "page " << row.page << " button at " << row.x << "," << row.y;
    }
}

TEST_F(MenuTest, BoundsAreInclusiveAndTableOrderDecidesSharedPoints) {
    const ButtonRow
        cases[] =
            {
                {DRAWING_PAGE, 32, 48, 19},   // rows 32-48 of 19 and 48-64 of 10
                {DRAWING_PAGE, 96, 40, 19},   // columns shared by 19 and 20
                {DRAWING_PAGE, 160, 40, 20},  // columns shared by 20 and 16
                {DRAWING_PAGE, 161, 40, 20},
                {DRAWING_PAGE, 162, 40, 16},
                {DRAWING_PAGE, 7, 130, -1},
                {DRAWING_PAGE, 8, 128, 25},
                {SYSTEM_PAGE, 132, 40, 40},  // 32 + 100 is still inside
                {SYSTEM_PAGE, 133, 40, -1},
                {SYSTEM_PAGE, 32, 144, 48},  // the last row of the last button
                {SYSTEM_PAGE, 32, 145, -1},
                {SYSTEM_PAGE, 31, 32, -1},
                {SYSTEM_PAGE, 0, 0, -1},
                {EDIT_PAGE, 97, 50, 80},
                {EDIT_PAGE, 98, 50, -1},
                {EDIT_PAGE, 237, 80, 82},
                {EDIT_PAGE, 238, 80, -1},
                {STAMP_PAGE, 224, 96, 16},  // 16 at (160, 80) comes before 27 at (224, 80)
                {STAMP_PAGE, 226, 100, -1},
                {STAMP_PAGE, 161, 112, 66},
                {STAMP_PAGE, -5, -5, -1},
            };
    for (const ButtonRow& row : cases) {
        editor_settings().menu_page = row.page;
        EXPECT_EQ(hit_test_menu(row.x, row.y), row.code)
            << "page " << row.page << " at " << row.x << "," << row.y;
    }
}

TEST_F(MenuTest, NoPageNoButton) {
    for (int page : {0, 1, 6, -1}) {
        editor_settings().menu_page = page;
        EXPECT_EQ(hit_test_menu(40, 40), -1) << page;
    }
}

TEST_F(MenuTest, HelpTextsOfEachPage) {
    const std::string edit_status =
        utf8(u8"0コマ目を編集中(全1コマ) ペンの色は黒 ふとさはごくほそ\n");
    const std::string stamp_status = utf8(u8"0個目のスタンプ（最大0個）スタンプの色は黒です\n");
    const std::string hint = utf8(u8"右ボタンで状況表示ウインドウを呼び出します\n");
    const struct {
        int page;
        int code;
        std::string expected;
    } cases[] = {
        {SYSTEM_PAGE, -1,
         utf8(u8"ウインドウの大きさをかえるには\n右下をマウスでつまみながらうごかす\n") + hint},
        {SYSTEM_PAGE, 40, utf8(u8"アニメデータを読み込みます\n")},
        {SYSTEM_PAGE, 41, utf8(u8"アニメデータを書き込みます\n")},
        {SYSTEM_PAGE, 42, utf8(u8"絵の動く速さを設定します\n")},
        {SYSTEM_PAGE, 43, utf8(u8"とちゅうのコマから再生します\n")},
        {SYSTEM_PAGE, 44, utf8(u8"一番最初のコマまでまき戻します\n")},
        {SYSTEM_PAGE, 45, utf8(u8"繰り返し再生します\n")},
        {SYSTEM_PAGE, 46, ""},
        {SYSTEM_PAGE, 49, ""},
        {SYSTEM_PAGE, 47, utf8(u8"編集中に何枚うしろに\n前のコマがすけて見えるか設定します\n")},
        {SYSTEM_PAGE, 48, utf8(u8"さあ、さっそくここを押して作り始めよう\n")},
        {SYSTEM_PAGE, 16, utf8(u8"１コマめからアニメを再生します\n")},
        {DRAWING_PAGE, -1, edit_status + hint},
        {DRAWING_PAGE, 10, edit_status + utf8(u8"ペンの色をしろにします\n")},
        {DRAWING_PAGE, 11, edit_status + utf8(u8"ペンの色をくろにします\n")},
        {DRAWING_PAGE, 12, edit_status + utf8(u8"ペンのふとさをごくほそにします\n")},
        {DRAWING_PAGE, 13, edit_status + utf8(u8"ペンのふとさをややふとにします\n")},
        {DRAWING_PAGE, 14, edit_status + utf8(u8"ペンのふとさをごくぶとにします\n")},
        {DRAWING_PAGE, 15, edit_status + utf8(u8"ペンの色で囲まれたところに色をぬります\n")},
        {DRAWING_PAGE, 17, edit_status + utf8(u8"２点を指定して箱をかきます\n")},
        {DRAWING_PAGE, 18, edit_status + utf8(u8"一つ前のコマを今のコマにコピーします\n")},
        {DRAWING_PAGE, 19, edit_status + utf8(u8"次のコマを編集します\n")},
        {DRAWING_PAGE, 20, edit_status + utf8(u8"一つ前のコマにもどります\n")},
        {DRAWING_PAGE, 21, edit_status + utf8(u8"失敗してやり直したいときに\n")},
        {DRAWING_PAGE, 22, edit_status + utf8(u8"２点を指定して直線をかきます\n")},
        {DRAWING_PAGE, 23, edit_status + utf8(u8"白黒を反対にします\n")},
        {DRAWING_PAGE, 24, edit_status + utf8(u8"このコマを消して真っ白にします\n")},
        {DRAWING_PAGE, 25, edit_status + utf8(u8"スタンプ機能をつかいたいときに\n")},
        {DRAWING_PAGE, 26, edit_status + utf8(u8"しすてむめにゅーへ移動します\n")},
        {DRAWING_PAGE, 27, edit_status + utf8(u8"指定したこまにいっきにジャンプ\n")},
        {DRAWING_PAGE, 28, edit_status + utf8(u8"ペンで今のコマに自由に絵をかきます\n")},
        {DRAWING_PAGE, 29, edit_status + utf8(u8"へんしゅうめにゅーへ移動します\n")},
        {STAMP_PAGE, -1, stamp_status + hint},
        {STAMP_PAGE, 60, stamp_status + utf8(u8"現在の色でスタンプを押します\n")},
        {STAMP_PAGE, 61,
         stamp_status + utf8(u8"新しいスタンプをつくります。\n"
                             u8"現在のスタンプの色でかかれたところの線がスタンプになります\n")},
        {STAMP_PAGE, 62, stamp_status + utf8(u8"いらなくなったスタンプを処分するときに\n")},
        {STAMP_PAGE, 63, stamp_status + utf8(u8"つぎのスタンプにすすみます\n")},
        {STAMP_PAGE, 64, stamp_status + utf8(u8"まえのスタンプにもどります\n")},
        {STAMP_PAGE, 65, stamp_status + utf8(u8"スタンプの色を白にします\n")},
        {STAMP_PAGE, 66, stamp_status + utf8(u8"スタンプの色を黒にします\n")},
        {EDIT_PAGE, -1, edit_status + hint},
        {EDIT_PAGE, 80, edit_status + utf8(u8"今のコマを削除して次以降のコマをつめます\n")},
        {EDIT_PAGE, 81, edit_status + utf8(u8"今のコマと前のコマの間にひとコマいれます\n")},
        {EDIT_PAGE, 82, edit_status + utf8(u8"コマの順番を逆にならべかえます\n")},
        {EDIT_PAGE, 83,
         edit_status + utf8(u8"指定された複数のコマを\n指定された回だけ連続してコピーします\n")},
        {EDIT_PAGE, 84,
         edit_status + utf8(u8"めぷの最終兵器  自動アニメ作成機能\n多少動きがぎくしゃくしていても\n"
                            u8"めぷが勝手にコマを書き足してくれます\n")},
        {EDIT_PAGE, 99, edit_status},
    };
    for (const auto& row : cases) {
        editor_settings().menu_page = row.page;
        show_command_help(row.code);
        EXPECT_EQ(shown_text(), row.expected) << "page " << row.page << " code " << row.code;
    }
}

TEST_F(MenuTest, EditStatusShowsFrameColourAndWidth) {
    set_frame(2, Picture{});
    animation().current_frame = 1;
    const struct {
        int pen_color;
        int pen_width;
        const char8_t* expected;
    } cases[] = {
        {10, 12, u8"1コマ目を編集中(全3コマ) ペンの色は黒 ふとさはごくほそ\n"},
        {255, 13, u8"1コマ目を編集中(全3コマ) ペンの色は白 ふとさはややぶと\n"},
        {10, 14, u8"1コマ目を編集中(全3コマ) ペンの色は黒 ふとさはごくぶと\n"},
        {255, 99, u8"1コマ目を編集中(全3コマ) ペンの色は白 ふとさはごくほそ\n"},
    };
    for (const auto& row : cases) {
        editor_settings().pen_color = row.pen_color;
        editor_settings().pen_width = row.pen_width;
        show_edit_status();
        EXPECT_EQ(shown_text(), utf8(row.expected));
    }
}

TEST_F(MenuTest, StampStatusShowsSelectionCountAndColour) {
    stamp_store().stamp_count = 3;
    stamp_store().current_stamp = 2;
    stamp_store().stamp_color = 255;
    show_stamp_status();
    EXPECT_EQ(shown_text(), utf8(u8"2個目のスタンプ（最大3個）スタンプの色は白です\n"));
}

TEST_F(MenuTest, SettingCommandsAssignTheirValues) {
    const struct {
        int code;
        EditorSettings expected;
    } cases[] = {
        {10, {255, 12, 1, 2}}, {11, {10, 12, 1, 2}}, {12, {10, 12, 1, 2}}, {13, {10, 13, 1, 2}},
        {14, {10, 14, 1, 2}},  {25, {10, 12, 1, 4}}, {26, {10, 12, 1, 2}}, {29, {10, 12, 1, 5}},
        {48, {10, 12, 1, 3}},  {46, {10, 12, 1, 2}}, {49, {10, 12, 1, 2}}, {84, {10, 12, 1, 2}},
        {-1, {10, 12, 1, 2}},  {0, {10, 12, 1, 2}},  {99, {10, 12, 1, 2}},
    };
    for (const auto& row : cases) {
        reset_editor_settings();
        dispatch_command(row.code);
        const EditorSettings& got = editor_settings();
        EXPECT_EQ(got.pen_color, row.expected.pen_color) << row.code;
        EXPECT_EQ(got.pen_width, row.expected.pen_width) << row.code;
        EXPECT_EQ(got.onion_depth, row.expected.onion_depth) << row.code;
        EXPECT_EQ(got.menu_page, row.expected.menu_page) << row.code;
    }
}

TEST_F(MenuTest, RewindAndTheDoNothingCodesLeaveFramesAlone) {
    Picture picture;
    picture.set(5, 5);
    set_frame(2, picture);
    animation().current_frame = 2;
    for (int code : {46, 49, 84, 0, 200}) {
        dispatch_command(code);
        EXPECT_EQ(animation().frame_count, 3);
        EXPECT_EQ(animation().current_frame, 2);
        EXPECT_EQ(frame_picture(2), picture);
    }
    dispatch_command(CMD_REWIND);
    EXPECT_EQ(animation().current_frame, 0);
    EXPECT_EQ(animation().frame_count, 3);
}

TEST(MenuLoopTest, RightButtonCountsOncePerPress) {
    // The loop starts as if the button were held, so a press still held from a tool is ignored.
    const struct {
        int right;
        bool went_down;
    } readings[] = {{1, false}, {1, false}, {0, false}, {1, true}, {1, false},
                    {1, false}, {0, false}, {0, false}, {1, true}, {0, false}};
    int previous_right = 1;
    for (const auto& reading : readings)
        EXPECT_EQ(right_button_went_down(&previous_right, reading.right), reading.went_down);
}

TEST_F(MenuTest, PagesShowTheCurrentFrameFaintly) {
    Picture picture;
    picture.fill(0, 0, 319, 0);      // row 0: over the white band of the stamp page
    picture.fill(0, 200, 319, 200);  // row 200: over its grey band
    set_frame(0, picture);
    for (int page : {SYSTEM_PAGE, DRAWING_PAGE, EDIT_PAGE}) {
        editor_settings().menu_page = page;
        draw_menu_page();
        Picture expected;
        expected.fill(0, 0, 319, 0, 190);
        expected.fill(0, 200, 319, 200, 190);
        EXPECT_EQ(canvas(), expected) << page << describe_difference(canvas(), expected);
    }
    editor_settings().menu_page = STAMP_PAGE;
    draw_menu_page();
    Picture expected;
    expected.fill(0, 119, 319, 239, 210);
    expected.fill(0, 0, 319, 0, 190);
    expected.fill(0, 200, 319, 200, 190);
    EXPECT_EQ(canvas(), expected) << describe_difference(canvas(), expected);
}

TEST_F(MenuTest, StatusLinesComeWithTheirPages) {
    const struct {
        int page;
        const char8_t* expected;
    } cases[] = {
        {SYSTEM_PAGE, u8""},
        {DRAWING_PAGE, u8"0コマ目を編集中(全1コマ) ペンの色は黒 ふとさはごくほそ\n"},
        {EDIT_PAGE, u8"0コマ目を編集中(全1コマ) ペンの色は黒 ふとさはごくほそ\n"},
        {STAMP_PAGE, u8"0個目のスタンプ（最大0個）スタンプの色は黒です\n"},
    };
    for (const auto& row : cases) {
        clear_text();
        editor_settings().menu_page = row.page;
        draw_menu_page();
        EXPECT_EQ(shown_text(), utf8(row.expected)) << row.page;
    }
}

}  // namespace
