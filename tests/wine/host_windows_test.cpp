// The host's windows and menu as the user meets them: titles, sizes, pause, quit and close.
#include "editor_fixture.h"
#include "host/win32/resource_ids.h"

namespace {

bool client_is(HWND window, int width, int height) {
    return wait_for([&] {
        const SIZE s = client_size(window);
        return s.cx == width && s.cy == height;
    });
}

using HostWindows = EditorProgram;

TEST_F(HostWindows, WindowsCarryTheirTitlesAndSizes) {
    const HWND text = program.text_window();
    ASSERT_NE(text, nullptr);
    RECT outer;
    GetWindowRect(text, &outer);
    // 600 x 160 at 96 DPI, as large for the eye at any other.
    EXPECT_EQ(outer.right - outer.left, 600 * screen_dpi() / 96);
    EXPECT_EQ(outer.bottom - outer.top, 160 * screen_dpi() / 96);
    // The text window has a caption but no system menu, so no close box.
    EXPECT_EQ(GetWindowLongA(text, GWL_STYLE) & WS_SYSMENU, 0);
    EXPECT_NE(GetMenu(main), nullptr);
}

TEST_F(HostWindows, SizeCommandsSetTheClientAreaExactly) {
    const struct {
        int command;
        int width;
        int height;
    } steps[] = {{ID_HOST_SIZE_DOUBLE, 640, 480},
                 {ID_HOST_SIZE_DOUBLE, 640, 480},
                 {ID_HOST_SIZE_STANDARD, 320, 240}};
    // Whole device pixels to each canvas pixel at any DPI.
    const int scale = canvas_scale();
    for (const auto& step : steps) {
        send_menu_command(main, step.command);
        EXPECT_TRUE(client_is(main, step.width * scale, step.height * scale))
            << "after command " << step.command;
    }
}

TEST_F(HostWindows, ResizingAWindowAboveTheScreenPutsItsTopAtZero) {
    SetWindowPos(main, nullptr, 40, -100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(wait_for([&] {
        RECT r;
        GetWindowRect(main, &r);
        return r.top == -100;
    }));
    send_menu_command(main, ID_HOST_SIZE_DOUBLE);
    ASSERT_TRUE(client_is(main, 640, 480));
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_EQ(r.top, 0);
}

TEST_F(HostWindows, QuitAsksAndEndsOnlyOnYes) {
    send_menu_command(main, ID_HOST_QUIT);
    HWND box = program.wait_window(BOX_CLASS, HOST_CAPTION);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(message_box_text(box), "終了してよろしいですか");
    press_button(box, IDNO);
    ASSERT_TRUE(wait_for([&] { return !IsWindow(box); }));
    Sleep(500);
    EXPECT_TRUE(program.running());

    send_menu_command(main, ID_HOST_QUIT);
    box = program.wait_window(BOX_CLASS, HOST_CAPTION);
    ASSERT_NE(box, nullptr);
    press_button(box, IDYES);
    EXPECT_EQ(program.wait_exit(), 0);
}

TEST_F(HostWindows, CloseBoxEndsWithoutAsking) {
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.wait_exit(), 0);
}

TEST_F(HostWindows, PauseHoldsTheApplicationUntilTheNoticeCloses) {
    send_menu_command(main, ID_HOST_PAUSE);
    const HWND notice = program.wait_window(BOX_CLASS, HOST_CAPTION);
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(message_box_text(notice), "Zelkon アプリケーションは停止中です");

    // Clicks while paused reach nobody: neither the welcome screen nor the speed button reacts.
    leave_welcome();
    click_canvas(main, 42, 56);
    Sleep(1000);
    EXPECT_EQ(program.find_window(BOX_CLASS, "tarvolo Zelkon interface -GetValue-"), nullptr);

    press_button(notice, IDOK);
    ASSERT_TRUE(wait_for([&] { return !IsWindow(notice); }));
    // The application goes on from where it stopped: still at the welcome screen.
    leave_welcome();
    click_canvas(main, 42, 56);
    const HWND dialog = program.wait_window(BOX_CLASS, "tarvolo Zelkon interface -GetValue-");
    ASSERT_NE(dialog, nullptr);
    press_button(dialog, IDCANCEL);
}

}  // namespace
