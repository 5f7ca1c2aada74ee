// The editor started by a user who cannot write the Windows directory: the first-run setup keeps
// mepusys.ini in the user's application-data folder, and the next start reads it from there.
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "wine_driver.h"

namespace {

constexpr const char* BOX_CLASS = "#32770";
constexpr int FILE_NAME_FIELD = 0x47c;

std::string user_config_folder() {
    char folder[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
    return std::string(folder) + "\\mepu";
}

class UnwritableWindowsDirectory : public ::testing::Test {
protected:
    // A folder in the place of the file: the Windows directory then refuses to create it, as it
    // does for an ordinary user on Windows, and it cannot be read either.
    void SetUp() override {
        DeleteFileA(windows_editor_config().c_str());
        ASSERT_TRUE(CreateDirectoryA(windows_editor_config().c_str(), nullptr));
        DeleteFileA((user_config_folder() + "\\mepusys.ini").c_str());
        RemoveDirectoryA(user_config_folder().c_str());
        folder = make_scratch_folder("mepu-user-config");
    }
    void TearDown() override {
        RemoveDirectoryA(windows_editor_config().c_str());
        DeleteFileA((user_config_folder() + "\\mepusys.ini").c_str());
        RemoveDirectoryA(user_config_folder().c_str());
    }
    void press_box(DrivenProgram& program, const char* title) {
        const HWND box = program.wait_window(BOX_CLASS, title);
        ASSERT_NE(box, nullptr) << title;
        press_button(box, IDOK);
        ASSERT_TRUE(wait_for([&] { return !IsWindow(box); }));
    }
    // Answers the first-run setup with the program in `program_folder`.
    void choose_program(DrivenProgram& program, const std::string& program_folder) {
        press_box(program, "めぷへようこそ！");
        const HWND dialog =
            program.wait_window(BOX_CLASS, "mepu.exeがインストールされた場所を指定してください");
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(wait_for([&] { return GetDlgItem(dialog, FILE_NAME_FIELD) != nullptr; }));
        SetDlgItemTextA(dialog, FILE_NAME_FIELD, (program_folder + "mepu.exe").c_str());
        press_button(dialog, IDOK);
        ASSERT_TRUE(wait_for([&] { return !IsWindow(dialog); }));
        press_box(program, "ようこそ「めぷ」へ");
    }
    // The first start: `first_box` (if any) before the setup, which writes the program folder to
    // the user's file; then the editor runs with no box titled `failure`.
    void first_start_sets_up_the_user_file(const std::string& first_box, const char* failure) {
        const std::string program_folder = windows_path(MEPU_BIN_DIR) + "\\";
        DrivenProgram program;
        ASSERT_TRUE(program.start(windows_path(MEPU_EXE), "", folder));
        if (!first_box.empty()) press_box(program, first_box.c_str());
        choose_program(program, program_folder);
        Sleep(1500);
        EXPECT_EQ(program.find_window(BOX_CLASS, failure), nullptr);
        EXPECT_TRUE(program.running());
        const std::vector<unsigned char> written =
            read_file(user_config_folder() + "\\mepusys.ini");
        EXPECT_EQ(std::string(written.begin(), written.end()), program_folder);
        PostMessageA(program.main_window(), WM_CLOSE, 0, 0);
        EXPECT_EQ(program.wait_exit(), 0);
    }
    // The next start finds the file: no failure and no setup.
    void next_start_asks_nothing() {
        DrivenProgram program;
        ASSERT_TRUE(program.start(windows_path(MEPU_EXE), "", folder));
        ASSERT_NE(program.wait_window("ZKI_main", "tarvolo Zelkon interface"), nullptr);
        Sleep(1500);
        EXPECT_EQ(program.find_window(BOX_CLASS, "実行時のエラー"), nullptr);
        EXPECT_EQ(program.find_window(BOX_CLASS, "めぷへようこそ！"), nullptr);
        EXPECT_TRUE(program.running());
    }
    std::string folder;
};

TEST_F(UnwritableWindowsDirectory, FirstRunWritesTheUserFolderAndTheNextStartReadsIt) {
    first_start_sets_up_the_user_file({}, "どうなってんだ");
    next_start_asks_nothing();
}

// A file in the Windows directory that names a folder without the program and that the user may
// neither delete nor write (read-only here; on Windows, the Windows directory's rights): the
// editor says the files are missing, runs the setup into the user's folder and starts, and the
// next start uses the user's file without asking.
class StaleWindowsConfig : public UnwritableWindowsDirectory {
protected:
    void SetUp() override {
        clear();
        const std::string stale = "C:\\nowhere\\";
        const HANDLE file = CreateFileA(windows_editor_config().c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file, stale.data(), DWORD(stale.size()), &written, nullptr));
        CloseHandle(file);
        ASSERT_TRUE(SetFileAttributesA(windows_editor_config().c_str(), FILE_ATTRIBUTE_READONLY));
        folder = make_scratch_folder("mepu-stale-config");
    }
    void TearDown() override { clear(); }
    void clear() {
        SetFileAttributesA(windows_editor_config().c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(windows_editor_config().c_str());
        DeleteFileA((user_config_folder() + "\\mepusys.ini").c_str());
        RemoveDirectoryA(user_config_folder().c_str());
    }
};

TEST_F(StaleWindowsConfig, TheSetupRunsInTheUserFolderAndTheEditorStarts) {
    first_start_sets_up_the_user_file("実行時のエラー", "実行時のエラー");
    const std::vector<unsigned char> stale = read_file(windows_editor_config());
    EXPECT_EQ(std::string(stale.begin(), stale.end()), "C:\\nowhere\\");
    next_start_asks_nothing();
}

}  // namespace
