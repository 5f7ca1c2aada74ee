// The editor (mepu.exe) started fresh for each test in a scratch folder, with a configuration
// file that points at the build's program folder.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "wine_driver.h"

constexpr const char* HOST_CAPTION = " tarvolo Zel kon interface";

// The screen's DPI as the editor sees it (this test reads pixels, not scaled ones).
inline int screen_dpi() {
    SetProcessDPIAware();
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}
// Device pixels to one canvas pixel at the standard size: 1 at 96 DPI, 2 at 192.
inline int canvas_scale() { return screen_dpi() / 96; }
constexpr const char* BOX_CLASS = "#32770";

class EditorProgram : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(write_editor_config(windows_path(MEPU_BIN_DIR) + "\\"))
            << "cannot write " << windows_editor_config();
        folder = make_scratch_folder("mepu-test");
        ASSERT_TRUE(program.start(windows_path(MEPU_EXE), arguments(), folder));
        main = program.wait_window("ZKI_main", "tarvolo Zelkon interface");
        ASSERT_NE(main, nullptr) << "the main window never appeared";
        // The start-up resizes the window; wait until it has settled at 1x.
        ASSERT_TRUE(wait_for([&] {
            const SIZE s = client_size(main);
            return s.cx == 320 * canvas_scale() && s.cy == 240 * canvas_scale();
        }));
    }
    // The prefix outlives the test; the program read the file at its start.
    void TearDown() override { DeleteFileA(windows_editor_config().c_str()); }
    virtual std::string arguments() const { return ""; }

    // The first click leaves the welcome screen for the system page.
    void leave_welcome() {
        Sleep(500);
        click_canvas(main, 160, 120);
    }

    DrivenProgram program;
    std::string folder;
    HWND main = nullptr;
};
