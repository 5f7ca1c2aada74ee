// Drives the real m2bmp.exe dialog from outside, as a user would: scroll bars, the two file
// dialogs, the run button, the error box and the close box.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "convert/converter_texts.h"
#include "convert/dialog_ids.h"
#include "convert_test_support.h"

namespace {

namespace fs = std::filesystem;

// The file dialogs' file-name box.
constexpr int FILE_NAME_BOX = 0x47c;

std::string windows_path(std::string path) {
    for (char& c : path)
        if (c == '/') c = '\\';
    if (path.size() > 1 && path[1] == ':') return path;
    std::string on_drive = "Z:";
    on_drive += path;
    return on_drive;
}

HWND wait_for_window(const char* title) {
    for (int i = 0; i < 200; ++i) {
        if (HWND window = FindWindowA(nullptr, title)) return window;
        Sleep(50);
    }
    return nullptr;
}

std::string item_text(HWND dialog, int id) {
    char text[512] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

class ConverterDialogWine : public testing::Test {
protected:
    void SetUp() override {
        std::string command = "\"";
        command += windows_path(M2BMP_PROGRAM);
        command += '"';
        command += arguments();
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        const std::string start_in = start_folder();
        ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   start_in.empty() ? nullptr : start_in.c_str(), &startup,
                                   &process));
        // The window exists before its initialisation has run; wait until the dialog is idle.
        WaitForInputIdle(process.hProcess, 10000);
        dialog = wait_for_window(TEXT_CONVERTER_TITLE);
        ASSERT_NE(dialog, nullptr) << "no M2BMP window";
    }
    // What follows the program's name on its command line.
    virtual std::string arguments() { return std::string(); }
    // The folder the program starts in; empty for the test's own.
    virtual std::string start_folder() { return std::string(); }

    void TearDown() override {
        if (dialog != nullptr) PostMessageA(dialog, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
            TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }

    void scroll(int bar, UINT message, WORD code, WORD position = 0) {
        SendMessageA(dialog, message, MAKEWPARAM(code, position),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, bar)));
    }
    // Fills a file dialog opened by `button` with `path` and closes it with OK.
    void choose_file(int button, const char* dialog_title, const std::string& path) {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        HWND file_dialog = wait_for_window(dialog_title);
        ASSERT_NE(file_dialog, nullptr) << dialog_title;
        SetDlgItemTextA(file_dialog, FILE_NAME_BOX, windows_path(path).c_str());
        PostMessageA(file_dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        for (int i = 0; i < 200 && IsWindow(file_dialog); ++i) Sleep(50);
        ASSERT_FALSE(IsWindow(file_dialog));
    }

    // The program's file dialogs make it the program's current folder, which cannot be removed
    // while the program runs: the folder outlives TearDown, where the program ends.
    ScratchFolder folder;
    PROCESS_INFORMATION process{};
    HWND dialog = nullptr;
};

TEST_F(ConverterDialogWine, ScrollBarsFollowTheRules) {
    EXPECT_EQ(item_text(dialog, IDC_WIDTH_VALUE), "320");
    EXPECT_EQ(item_text(dialog, IDC_HEIGHT_VALUE), "240");
    scroll(IDC_WIDTH_BAR, WM_HSCROLL, SB_THUMBTRACK, 100);
    EXPECT_EQ(item_text(dialog, IDC_WIDTH_VALUE), "100");
    scroll(IDC_WIDTH_BAR, WM_HSCROLL, SB_THUMBPOSITION, 100);
    EXPECT_EQ(item_text(dialog, IDC_WIDTH_VALUE), "96");
    EXPECT_EQ(GetScrollPos(GetDlgItem(dialog, IDC_WIDTH_BAR), SB_CTL), 96);
    scroll(IDC_WIDTH_BAR, WM_HSCROLL, SB_LINELEFT);
    scroll(IDC_WIDTH_BAR, WM_HSCROLL, SB_PAGELEFT);
    scroll(IDC_WIDTH_BAR, WM_HSCROLL, SB_LINELEFT);
    EXPECT_EQ(item_text(dialog, IDC_WIDTH_VALUE), "32");

    scroll(IDC_HEIGHT_BAR, WM_VSCROLL, SB_THUMBPOSITION, 131);
    EXPECT_EQ(item_text(dialog, IDC_HEIGHT_VALUE), "130");
    scroll(IDC_HEIGHT_BAR, WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(item_text(dialog, IDC_HEIGHT_VALUE), "140");
    scroll(IDC_HEIGHT_BAR, WM_VSCROLL, SB_THUMBPOSITION, 12);
    scroll(IDC_HEIGHT_BAR, WM_VSCROLL, SB_PAGEUP);
    EXPECT_EQ(item_text(dialog, IDC_HEIGHT_VALUE), "2");
    scroll(IDC_HEIGHT_BAR, WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(item_text(dialog, IDC_HEIGHT_VALUE), "4");
}

TEST_F(ConverterDialogWine, RunWithoutAnInputShowsTheErrorBox) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_RUN, BN_CLICKED), 0);
    HWND box = wait_for_window(CAPTION_CONVERTER);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(GetWindow(box, GW_OWNER), dialog);
    EXPECT_EQ(item_text(box, 0xFFFF), MSG_NO_INPUT);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    for (int i = 0; i < 200 && IsWindow(box); ++i) Sleep(50);
    EXPECT_FALSE(IsWindow(box));
}

TEST_F(ConverterDialogWine, ChosenFilesAreConvertedAtTheChosenSize) {
    write_bytes(folder.path() / "in.mpa", mpa_of_test_pictures(3));
    choose_file(IDC_CHOOSE_INPUT, TITLE_OPEN_DIALOG, folder.file("in.mpa"));
    choose_file(IDC_CHOOSE_OUTPUT, TITLE_SAVE_DIALOG, folder.file("walk.bmp"));
    scroll(IDC_WIDTH_BAR, WM_HSCROLL, SB_THUMBPOSITION, 160);
    scroll(IDC_HEIGHT_BAR, WM_VSCROLL, SB_THUMBPOSITION, 120);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_RUN, BN_CLICKED), 0);
    EXPECT_EQ(item_text(dialog, IDC_STATUS), "2枚目変換成功");
    for (int i = 0; i < 3; ++i) {
        const fs::path file = folder.path() / ("walk.bmp000" + std::to_string(i) + ".BMP");
        ASSERT_TRUE(fs::exists(file)) << file;
        EXPECT_EQ(fs::file_size(file), 62u + 160 * 120 / 8);
    }
}

TEST_F(ConverterDialogWine, TheGifChoiceWritesTheSameBytesAsTheLinuxBuild) {
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_OUTPUT_BMP), BST_CHECKED);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_GIF_SCALE)));
    SendMessageA(GetDlgItem(dialog, IDC_OUTPUT_GIF), BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_GIF_SCALE)));
    HWND scale = GetDlgItem(dialog, IDC_GIF_SCALE);
    SendMessageA(scale, CB_SETCURSEL, 1, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_GIF_SCALE, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(scale));
    EXPECT_EQ(item_text(dialog, IDC_GIF_SCALE), "2倍");
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_GIF_LOOP), BST_CHECKED);
    write_bytes(folder.path() / "in.mpa", gif_comparison_animation());
    choose_file(IDC_CHOOSE_INPUT, TITLE_OPEN_DIALOG, folder.file("in.mpa"));
    // Typed without an extension: the save dialog adds the GIF's.
    choose_file(IDC_CHOOSE_OUTPUT, TITLE_SAVE_DIALOG, folder.file("walk"));
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_RUN, BN_CLICKED), 0);
    EXPECT_EQ(item_text(dialog, IDC_STATUS), "42コマのGIFアニメ変換成功");
    const std::vector<uint8_t> written = read_file(folder.path() / "walk.gif");
    EXPECT_FALSE(written.empty());
    EXPECT_TRUE(written == read_file(windows_path(GIF_REFERENCE)));
}

// A file dropped on the program (or opened with it) comes as its one argument.
class ConverterDialogWithDroppedFile : public ConverterDialogWine {
protected:
    std::string arguments() override {
        write_bytes(folder.path() / "dropped walk.mpa", mpa_of_test_pictures(2));
        return " \"" + windows_path(folder.file("dropped walk.mpa")) + "\"";
    }
};

TEST_F(ConverterDialogWithDroppedFile, OpensTheDialogWithThatFileAsItsInput) {
    choose_file(IDC_CHOOSE_OUTPUT, TITLE_SAVE_DIALOG, folder.file("out"));
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_RUN, BN_CLICKED), 0);
    EXPECT_EQ(item_text(dialog, IDC_STATUS), "1枚目変換成功");
    EXPECT_TRUE(fs::exists(folder.path() / "out0000.BMP"));
    EXPECT_TRUE(fs::exists(folder.path() / "out0001.BMP"));
}

// The file named relative to the folder the program starts in, which the save dialog then
// leaves for another: the conversion still finds its input.
class ConverterDialogWithRelativeFile : public ConverterDialogWine {
protected:
    std::string arguments() override {
        write_bytes(folder.path() / "walk.mpa", mpa_of_test_pictures(2));
        fs::create_directories(folder.path() / "frames");
        return " walk.mpa";
    }
    std::string start_folder() override { return windows_path(folder.path().string()); }
};

TEST_F(ConverterDialogWithRelativeFile, IsFoundAfterTheSaveDialogMovedTheCurrentFolder) {
    // Into the folder as a user goes, which makes it the current folder, then the name.
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_CHOOSE_OUTPUT, BN_CLICKED), 0);
    HWND save = wait_for_window(TITLE_SAVE_DIALOG);
    ASSERT_NE(save, nullptr);
    SetDlgItemTextA(save, FILE_NAME_BOX, windows_path(folder.file("frames")).c_str());
    PostMessageA(save, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    for (int i = 0; i < 200 && item_text(save, FILE_NAME_BOX) != ""; ++i) Sleep(50);
    ASSERT_TRUE(IsWindow(save));
    SetDlgItemTextA(save, FILE_NAME_BOX, "out");
    PostMessageA(save, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    for (int i = 0; i < 200 && IsWindow(save); ++i) Sleep(50);
    ASSERT_FALSE(IsWindow(save));
    // Posted: an input that cannot be found brings up the error box, which a send would wait on.
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_RUN, BN_CLICKED), 0);
    HWND box = nullptr;
    for (int i = 0; i < 200 && item_text(dialog, IDC_STATUS) != "1枚目変換成功" && box == nullptr;
         ++i) {
        Sleep(50);
        box = FindWindowA(nullptr, CAPTION_CONVERTER);
    }
    if (box != nullptr) {
        ADD_FAILURE() << item_text(box, 0xFFFF);
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
    EXPECT_EQ(item_text(dialog, IDC_STATUS), "1枚目変換成功");
    EXPECT_TRUE(fs::exists(folder.path() / "frames" / "out0000.BMP"));
    EXPECT_TRUE(fs::exists(folder.path() / "frames" / "out0001.BMP"));
}

}  // namespace
