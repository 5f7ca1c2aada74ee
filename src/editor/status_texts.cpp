#include "editor/status_texts.h"

#include <array>
#include <cstdarg>
#include <cstdio>

#include "editor/session/animation.h"
#include "editor/command_codes.h"
#include "editor/commands.h"
#include "editor/editor_settings.h"
#include "editor/menu_pages.h"
#include "editor/session/editor_texts.h"
#include "editor/stamps.h"
#include "host/host.h"

void print_formatted(const char* format, ...) {
    char line[256];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    print_text(line);
}

void print_pointer_position(int x, int y) {
    set_text_pos(0, 1);
    print_formatted("(%d,%d)        \n", x, y);
}

void show_edit_status() {
    const EditorSettings& settings = editor_settings();
    clear_text();
    print_formatted(FORMAT_EDIT_STATUS, animation().current_frame, animation().frame_count);
    print_text(settings.pen_color == CANVAS_PAPER ? TEXT_PEN_WHITE_STATUS : TEXT_PEN_BLACK_STATUS);
    switch (settings.pen_width) {
        case PEN_WIDTH_THICKEST: print_text(TEXT_WIDTH_THICKEST_STATUS); break;
        case PEN_WIDTH_MEDIUM: print_text(TEXT_WIDTH_MEDIUM_STATUS); break;
        default: print_text(TEXT_WIDTH_THINNEST_STATUS); break;
    }
}

void show_stamp_status() {
    const StampStore& store = stamp_store();
    clear_text();
    print_formatted(FORMAT_STAMP_STATUS, store.current_stamp, store.stamp_count);
    print_text(store.stamp_color == CANVAS_PAPER ? TEXT_STAMP_WHITE_STATUS
                                                 : TEXT_STAMP_BLACK_STATUS);
}

namespace {

struct CommandHelp {
    int code;
    std::array<const char*, 3> texts;  // printed in order; null ends the list
};

constexpr CommandHelp HELP[] = {
    {CMD_PEN_WHITE, {"ペンの色をしろにします"}},
    {CMD_PEN_BLACK, {"ペンの色をくろにします"}},
    {CMD_PEN_THINNEST, {"ペンのふとさをごくほそにします"}},
    {CMD_PEN_MEDIUM, {"ペンのふとさをややふとにします"}},
    {CMD_PEN_THICKEST, {"ペンのふとさをごくぶとにします"}},
    {CMD_FILL, {"ペンの色で囲まれたところに色をぬります"}},
    {CMD_PLAY_FROM_START, {"１コマめからアニメを再生します"}},
    {CMD_BOX, {"２点を指定して箱をかきます"}},
    {CMD_COPY_PREVIOUS_FRAME, {"一つ前のコマを今のコマにコピーします"}},
    {CMD_NEXT_FRAME, {"次のコマを編集します"}},
    {CMD_PREVIOUS_FRAME, {"一つ前のコマにもどります"}},
    {CMD_UNDO, {"失敗してやり直したいときに"}},
    {CMD_LINE, {"２点を指定して直線をかきます"}},
    {CMD_INVERT_FRAME, {"白黒を反対にします"}},
    {CMD_CLEAR_FRAME, {"このコマを消して真っ白にします\n"}},
    {CMD_TO_STAMP_PAGE, {"スタンプ機能をつかいたいときに"}},
    {CMD_TO_SYSTEM_PAGE, {"しすてむめにゅーへ移動します"}},
    {CMD_JUMP_TO_FRAME, {"指定したこまにいっきにジャンプ"}},
    {CMD_PEN, {"ペンで今のコマに自由に絵をかきます"}},
    {CMD_TO_EDIT_PAGE, {"へんしゅうめにゅーへ移動します"}},
    {CMD_LOAD, {"アニメデータを読み込みます"}},
    {CMD_SAVE, {"アニメデータを書き込みます"}},
    {CMD_SPEED, {"絵の動く速さを設定します"}},
    {CMD_PLAY_FROM_CHOSEN, {"とちゅうのコマから再生します"}},
    {CMD_REWIND, {"一番最初のコマまでまき戻します"}},
    {CMD_PLAY_LOOP, {"繰り返し再生します"}},
    {CMD_ONION_DEPTH, {"編集中に何枚うしろに\n", "前のコマがすけて見えるか設定します"}},
    {CMD_TO_DRAWING_PAGE, {"さあ、さっそくここを押して作り始めよう"}},
    {CMD_STAMP, {"現在の色でスタンプを押します"}},
    {CMD_NEW_STAMP,
     {"新しいスタンプをつくります。\n",
      "現在のスタンプの色でかかれたところの線がスタンプになります"}},
    {CMD_DELETE_STAMP, {"いらなくなったスタンプを処分するときに"}},
    {CMD_NEXT_STAMP, {"つぎのスタンプにすすみます"}},
    {CMD_PREVIOUS_STAMP, {"まえのスタンプにもどります"}},
    {CMD_STAMP_WHITE, {"スタンプの色を白にします"}},
    {CMD_STAMP_BLACK, {"スタンプの色を黒にします"}},
    {CMD_DELETE_FRAME, {"今のコマを削除して次以降のコマをつめます"}},
    {CMD_INSERT_FRAME, {"今のコマと前のコマの間にひとコマいれます"}},
    {CMD_REVERSE_FRAMES, {"コマの順番を逆にならべかえます"}},
    {CMD_MULTI_COPY, {"指定された複数のコマを\n", "指定された回だけ連続してコピーします"}},
    {CMD_AUTO_COMPLETION,
     {"めぷの最終兵器  自動アニメ作成機能\n", "多少動きがぎくしゃくしていても\n",
      "めぷが勝手にコマを書き足してくれます"}},
};

void print_help_of(int code) {
    for (const CommandHelp& help : HELP) {
        if (help.code != code) continue;
        for (const char* text : help.texts) {
            if (text != nullptr) print_text(text);
        }
        return;
    }
}

}  // namespace

void show_command_help(int code) {
    clear_text();
    switch (editor_settings().menu_page) {
        case SYSTEM_PAGE:
            if (code == NO_COMMAND) {
                print_text(TEXT_RESIZE_HINT);
                print_text(TEXT_RESIZE_HOW);
                print_text(TEXT_RIGHT_BUTTON_HINT);
            }
            break;
        case DRAWING_PAGE:
        case EDIT_PAGE:
            show_edit_status();
            if (code == NO_COMMAND) print_text(TEXT_RIGHT_BUTTON_HINT);
            break;
        case STAMP_PAGE:
            show_stamp_status();
            if (code == NO_COMMAND) print_text(TEXT_RIGHT_BUTTON_HINT);
            break;
        default: break;
    }
    print_help_of(code);
}
