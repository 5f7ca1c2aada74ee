// The editor driven like a user: a menu button opens the value dialog, a drawing made with the
// pen goes through the real save dialog into a file with exactly the expected picture, and a save
// over a file another program holds fails without costing the file.
#include <cstdlib>
#include <string>
#include <vector>

#include "anim/animation_file.h"
#include "anim/run_length.h"
#include "editor_fixture.h"
#include "raster/raster.h"

namespace {

constexpr const char* VALUE_DIALOG_TITLE = "tarvolo Zelkon interface -GetValue-";
constexpr int VALUE_SCROLLBAR = 11086;
constexpr int VALUE_DISPLAY = 11010;
// The file-name field of the common file dialogs.
constexpr int FILE_NAME_FIELD = 0x47c;

// Canvas positions of the buttons used here (inside their rectangles).
constexpr POINT SPEED_BUTTON = {42, 56};
constexpr POINT TO_DRAWING_PAGE = {42, 136};
constexpr POINT PEN_BUTTON = {234, 56};
constexpr POINT JUMP_BUTTON = {234, 40};
constexpr POINT TO_SYSTEM_PAGE = {170, 136};
constexpr POINT SAVE_BUTTON = {170, 40};

using EditorSession = EditorProgram;

void click(HWND main, POINT p) { click_canvas(main, p.x, p.y); }

TEST_F(EditorSession, SpeedButtonOpensTheValueDialogAndItsScrollBarWorks) {
    leave_welcome();
    click(main, SPEED_BUTTON);
    const HWND dialog = program.wait_window(BOX_CLASS, VALUE_DIALOG_TITLE);
    ASSERT_NE(dialog, nullptr);
    const HWND bar = GetDlgItem(dialog, VALUE_SCROLLBAR);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, VALUE_DISPLAY)));
    EXPECT_EQ(GetWindowLongA(dialog, GWL_STYLE) & WS_SYSMENU, 0);
    const int start = static_cast<int>(SendMessageA(bar, SBM_GETPOS, 0, 0));
    EXPECT_EQ(dialog_item_text(dialog, VALUE_DISPLAY), std::to_string(start));

    SendMessageA(dialog, WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(dialog_item_text(dialog, VALUE_DISPLAY), std::to_string(start + 1));
    EXPECT_EQ(SendMessageA(bar, SBM_GETPOS, 0, 0), start + 1);
    SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 3), reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(dialog_item_text(dialog, VALUE_DISPLAY), "3");

    press_button(dialog, IDCANCEL);
    EXPECT_TRUE(wait_for([&] { return !IsWindow(dialog); }));
}

TEST_F(EditorSession, PauseWhileTheValueDialogIsOpenResumesIntoIt) {
    leave_welcome();
    click(main, SPEED_BUTTON);
    const HWND dialog = program.wait_window(BOX_CLASS, VALUE_DIALOG_TITLE);
    ASSERT_NE(dialog, nullptr);
    // The application thread sits in the dialog's own loop, not at a host call.
    send_menu_command(main, 40001);
    const HWND notice = program.wait_window(BOX_CLASS, HOST_CAPTION);
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(message_box_text(notice), "Zelkon アプリケーションは停止中です");
    press_button(notice, IDOK);
    ASSERT_TRUE(wait_for([&] { return !IsWindow(notice); }));
    const HWND bar = GetDlgItem(dialog, VALUE_SCROLLBAR);
    SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 7), reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(dialog_item_text(dialog, VALUE_DISPLAY), "7");
    press_button(dialog, IDCANCEL);
    EXPECT_TRUE(wait_for([&] { return !IsWindow(dialog); }));
}

TEST_F(EditorSession, AtDoubleSizeWindowPixelsMapBackToCanvasPixels) {
    send_menu_command(main, 40004);
    ASSERT_TRUE(wait_for([&] {
        const SIZE s = client_size(main);
        return s.cx == 640 && s.cy == 480;
    }));
    leave_welcome();
    // Canvas (42, 56) is window pixel (84, 112) at 2x; (21, 28) would hit nothing there.
    click_canvas(main, SPEED_BUTTON.x * 2, SPEED_BUTTON.y * 2);
    const HWND dialog = program.wait_window(BOX_CLASS, VALUE_DIALOG_TITLE);
    ASSERT_NE(dialog, nullptr);
    press_button(dialog, IDCANCEL);
}

TEST_F(EditorSession, QuickClicksLeaveTheWelcomeAndPressAButton) {
    Sleep(500);
    quick_click_canvas(main, 160, 120);
    quick_click_canvas(main, SPEED_BUTTON.x, SPEED_BUTTON.y);
    const HWND dialog = program.wait_window(BOX_CLASS, VALUE_DIALOG_TITLE);
    ASSERT_NE(dialog, nullptr) << "the quick click was lost";
    press_button(dialog, IDCANCEL);
}

// The pen reads the pointer twice a round and uses the second reading for its position only; a
// quick right click must end it whichever reading comes first after it.
TEST_F(EditorSession, QuickRightClicksEndThePenEveryTime) {
    leave_welcome();
    click(main, TO_DRAWING_PAGE);
    for (int round = 0; round < 10; ++round) {
        click(main, PEN_BUTTON);
        quick_click_canvas(main, 100, 160, true);
        // The jump button's value dialog shows that the menu runs again.
        click(main, JUMP_BUTTON);
        const HWND dialog = program.wait_window(BOX_CLASS, VALUE_DIALOG_TITLE, 3000);
        ASSERT_NE(dialog, nullptr) << "round " << round << ": the pen tool is still on";
        press_button(dialog, IDCANCEL);
        ASSERT_TRUE(wait_for([&] { return !IsWindow(dialog); }));
    }
}

// The text window takes clicks while a dialog owned by the main window is open; such a click must
// not act once the dialog has closed, even with the pointer on the button that opened it.
TEST_F(EditorSession, AClickInTheTextWindowDuringADialogDoesNothingAfterIt) {
    const HWND text = program.text_window();
    ASSERT_NE(text, nullptr);
    leave_welcome();
    click(main, SPEED_BUTTON);
    const HWND dialog = program.wait_window(BOX_CLASS, VALUE_DIALOG_TITLE);
    ASSERT_NE(dialog, nullptr);
    PostMessageA(text, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageA(text, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    move_canvas(main, SPEED_BUTTON.x, SPEED_BUTTON.y);
    press_button(dialog, IDCANCEL);
    ASSERT_TRUE(wait_for([&] { return !IsWindow(dialog); }));
    Sleep(1000);
    EXPECT_EQ(program.find_window(BOX_CLASS, VALUE_DIALOG_TITLE), nullptr);
}

TEST_F(EditorSession, AClickInTheTextWindowCountsLikeOneOnTheCanvas) {
    const HWND text = program.text_window();
    ASSERT_NE(text, nullptr);
    Sleep(500);
    // A right click in the text window leaves the welcome screen as a click on the canvas would.
    PostMessageA(text, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
    Sleep(150);
    PostMessageA(text, WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
    Sleep(150);
    click(main, SPEED_BUTTON);
    const HWND dialog = program.wait_window(BOX_CLASS, VALUE_DIALOG_TITLE);
    ASSERT_NE(dialog, nullptr);
    press_button(dialog, IDCANCEL);
}

TEST_F(EditorSession, PenDrawingIsSavedThroughTheSaveDialog) {
    leave_welcome();
    click(main, TO_DRAWING_PAGE);
    click(main, PEN_BUTTON);
    // The stroke: pressed at rest (not a point), then three moves with the button held.
    const POINT stroke[] = {{100, 160}, {100, 200}, {140, 200}};
    button_down(main, 60, 160);
    for (const POINT& p : stroke) move_canvas(main, p.x, p.y);
    button_up(main, 140, 200);
    click_canvas(main, 140, 200, true);  // the right button ends the pen
    click(main, TO_SYSTEM_PAGE);
    click(main, SAVE_BUTTON);

    const HWND dialog = program.wait_window(BOX_CLASS, "ファイルの保存");
    ASSERT_NE(dialog, nullptr);
    // A comparison with the scripted host may ask for the file in a place of its choosing.
    const char* wanted = std::getenv("MEPU_DRAWING_OUT");
    const std::string path = wanted != nullptr ? wanted : folder + "\\drawing.mpa";
    ASSERT_TRUE(wait_for([&] { return GetDlgItem(dialog, FILE_NAME_FIELD) != nullptr; }));
    SetDlgItemTextA(dialog, FILE_NAME_FIELD, path.c_str());
    press_button(dialog, IDOK);
    ASSERT_TRUE(wait_for([&] { return file_exists(path) && !IsWindow(dialog); }));
    Sleep(300);

    Frame* table[MAX_FRAMES] = {};
    const ReadResult read = read_animation_file(path.c_str(), table, ReadOptions{});
    ASSERT_EQ(read.status, ReadStatus::ok);
    ASSERT_EQ(read.frames_read, 1);
    EXPECT_EQ(read.header.image_width, 320);
    EXPECT_EQ(read.header.image_height, 240);

    std::vector<uint8_t> drawn(320 * 240, 0);
    draw_frame(drawn.data(), 320, 240, table[0], CANVAS_INK, CANVAS_PAPER);
    std::vector<uint8_t> expected(320 * 240, CANVAS_PAPER);
    for (size_t i = 0; i + 1 < std::size(stroke); ++i) {
        draw_line(expected.data(), 320, 240, stroke[i].x, stroke[i].y, stroke[i + 1].x,
                  stroke[i + 1].y, CANVAS_INK);
    }
    EXPECT_EQ(drawn, expected);
    for (Frame*& frame : table) std::free(frame);
}

// Another top-level dialog-class window with this title than `other`, or null.
HWND find_other_box(const char* title, HWND other) {
    for (HWND box = FindWindowExA(nullptr, nullptr, BOX_CLASS, title); box != nullptr;
         box = FindWindowExA(nullptr, box, BOX_CLASS, title)) {
        if (box != other && IsWindowVisible(box)) return box;
    }
    return nullptr;
}

std::vector<std::string> names_in(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// Saves the animation to `path` through the save dialog, confirming the overwrite.
void save_over(const DrivenProgram& program, HWND main, const std::string& path) {
    click(main, SAVE_BUTTON);
    const HWND dialog = program.wait_window(BOX_CLASS, "ファイルの保存");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(wait_for([&] { return GetDlgItem(dialog, FILE_NAME_FIELD) != nullptr; }));
    SetDlgItemTextA(dialog, FILE_NAME_FIELD, path.c_str());
    press_button(dialog, IDOK);
    HWND confirm = nullptr;
    ASSERT_TRUE(
        wait_for([&] { return (confirm = find_other_box("ファイルの保存", dialog)) != nullptr; }));
    press_button(confirm, IDYES);
    ASSERT_TRUE(wait_for([&] { return !IsWindow(dialog); }));
}

TEST_F(EditorSession, SavingOverAFileAnotherProgramHoldsNeverCostsTheFile) {
    const std::string path = folder + "\\held.mpa";
    const std::vector<unsigned char> old(1000, 0x42);
    {
        const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file, old.data(), DWORD(old.size()), &written, nullptr));
        CloseHandle(file);
    }
    const std::vector<std::string> names_before = names_in(folder);
    leave_welcome();

    // A player reading the file, sharing everything but deleting: the save is refused.
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    save_over(program, main, path);
    const HWND error = program.wait_window(BOX_CLASS, "大変だ！");
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(message_box_text(error), "書き込み中にエラーが発生しました");
    press_button(error, IDOK);
    CloseHandle(held);
    EXPECT_EQ(read_file(path), old);
    EXPECT_EQ(names_in(folder), names_before);

    // A virus scanner sharing everything: the save goes through, and once the scanner lets go
    // the file is the new one and nothing else is left.
    held = CreateFileA(path.c_str(), GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    save_over(program, main, path);
    const std::vector<unsigned char> new_animation = {0x18, 0, 0, 0, 0x40, 1, 0, 0, 0xF0, 0,
                                                      0,    0, 1, 0, 0,    0, 5, 0, 0,    0,
                                                      0,    0, 0, 0, 0,    0, 0, 0};
    EXPECT_TRUE(wait_for([&] { return read_file(path) == new_animation; }));
    CloseHandle(held);
    EXPECT_EQ(program.find_window(BOX_CLASS, "大変だ！"), nullptr);
    EXPECT_EQ(read_file(path), new_animation);
    EXPECT_EQ(names_in(folder), names_before);
}

}  // namespace
