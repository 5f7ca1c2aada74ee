// The error guard of the Win32 host, watched from outside on a test build whose stand-in
// application records the commands 12, 7 and 45 and then breaks down.
#include <cstdlib>
#include <string>

#include "editor_fixture.h"
#include "host/win32/resource_ids.h"

namespace {

constexpr const char* RUNTIME_ERROR = "実行時のエラー";

class ErrorGuard : public ::testing::Test {
protected:
    void start(const char* how) {
        folder = make_scratch_folder("mepu-guard");
        ASSERT_TRUE(program.start(windows_path(MEPU_GUARD_PROBE), how, folder));
        main = program.wait_window("ZKI_main", "tarvolo Zelkon interface");
        ASSERT_NE(main, nullptr);
    }
    // Waits for the next box with this caption, checks its text and closes it with OK.
    void expect_box(const char* caption, const std::string& text) {
        const HWND box = program.wait_window(BOX_CLASS, caption);
        ASSERT_NE(box, nullptr) << "no box: " << text;
        EXPECT_EQ(message_box_text(box), text);
        press_button(box, IDOK);
        ASSERT_TRUE(wait_for([&] { return !IsWindow(box); }));
    }
    // `shown` is the report's name in the box, `path` where the test finds it.
    void expect_report_and_announcements(const std::string& shown = "mepu.erf",
                                         std::string path = {}) {
        if (path.empty()) path = folder + "\\mepu.erf";
        expect_box(RUNTIME_ERROR, "めぷ実行中にエラーが発生しました。");
        expect_box(RUNTIME_ERROR, "エラーに関する情報を" + shown +
                                      "に記録しました。もしよろしければこのファイルを"
                                      "tarvolo program systemsまで送ってください。");
        expect_box(RUNTIME_ERROR,
                   "現在編集中のアニメデータを書き込みます。.ただし、データが壊れている可能性があ"
                   "るので別のファイル名で保存することをお勧めします。");
        const std::vector<unsigned char> report = read_file(path);
        // Written in text mode: the line break is CR LF on this platform.
        const std::string expected = "total = 3\r\n12      7      45      ";
        EXPECT_EQ(std::string(report.begin(), report.end()), expected);
    }
    // The emergency save's dialog: saves to `name` in the scratch folder, or cancels.
    void answer_save_dialog(const char* name) {
        const HWND dialog = program.wait_window(BOX_CLASS, "ファイルの保存");
        ASSERT_NE(dialog, nullptr);
        if (name == nullptr) {
            press_button(dialog, IDCANCEL);
        } else {
            ASSERT_TRUE(wait_for([&] { return GetDlgItem(dialog, 0x47c) != nullptr; }));
            SetDlgItemTextA(dialog, 0x47c, (folder + "\\" + name).c_str());
            press_button(dialog, IDOK);
        }
        ASSERT_TRUE(wait_for([&] { return !IsWindow(dialog); }));
    }
    // After the guard the program stays up with its menu; quitting still works.
    void expect_program_still_up_then_quit() {
        Sleep(300);
        ASSERT_TRUE(program.running());
        send_menu_command(main, ID_HOST_QUIT);
        const HWND box = program.wait_window(BOX_CLASS, HOST_CAPTION);
        ASSERT_NE(box, nullptr);
        press_button(box, IDYES);
        EXPECT_EQ(program.wait_exit(), 0);
    }

    DrivenProgram program;
    std::string folder;
    HWND main = nullptr;
};

TEST_F(ErrorGuard, AccessViolationWritesTheReportAndOffersTheSave) {
    start("fault");
    expect_report_and_announcements();
    answer_save_dialog("rescue.mpa");
    ASSERT_TRUE(wait_for([&] { return file_exists(folder + "\\rescue.mpa"); }));
    Sleep(200);
    const std::vector<unsigned char> saved = read_file(folder + "\\rescue.mpa");
    EXPECT_EQ(std::string(saved.begin(), saved.end()), "rescued");
    expect_program_still_up_then_quit();
}

TEST_F(ErrorGuard, DivisionByZeroIsCaughtToo) {
    start("divide");
    expect_report_and_announcements();
    answer_save_dialog(nullptr);
    expect_program_still_up_then_quit();
}

TEST_F(ErrorGuard, ReturnFromTheApplicationRunsTheGuard) {
    start("return");
    expect_report_and_announcements();
    answer_save_dialog(nullptr);
    expect_program_still_up_then_quit();
}

// The current folder refuses the report (a folder in its place): it goes to the user's
// configuration folder, the box says where, and the save is still offered.
TEST_F(ErrorGuard, AReportTheCurrentFolderRefusesGoesToTheConfigurationFolder) {
    folder = make_scratch_folder("mepu-guard");
    ASSERT_TRUE(CreateDirectoryA((folder + "\\mepu.erf").c_str(), nullptr));
    const char* application_data = std::getenv("APPDATA");
    ASSERT_NE(application_data, nullptr);
    const std::string elsewhere = std::string(application_data) + "\\mepu\\mepu.erf";
    DeleteFileA(elsewhere.c_str());
    ASSERT_TRUE(program.start(windows_path(MEPU_GUARD_PROBE), "fault", folder));
    main = program.wait_window("ZKI_main", "tarvolo Zelkon interface");
    ASSERT_NE(main, nullptr);
    expect_report_and_announcements(elsewhere, elsewhere);
    answer_save_dialog(nullptr);
    expect_program_still_up_then_quit();
    DeleteFileA(elsewhere.c_str());
}

}  // namespace
