// The scripted host's operations used in-process, as the editor's unit tests use them.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "host/common/command_log.h"
#include "host/script/script_host_testing.h"
#include "support/temp_folder.h"

namespace {
class ScriptHostTest : public ::testing::Test {
protected:
    void SetUp() override { script_host_reset(); }
    void TearDown() override { script_host_reset(); }
};

std::string u(const char* shift_jis) { return sjis_to_utf8(shift_jis); }

TEST_F(ScriptHostTest, MessageBoxesTakeTheirAnswersInOrder) {
    struct Case {
        MessageButtons buttons;
        MessageIcon icon;
        bool queued;
        MessageAnswer queued_answer;
        MessageAnswer answer;
        std::string logged;
    } cases[] = {
        {MessageButtons::yes_no, MessageIcon::none, true, MessageAnswer::yes, MessageAnswer::yes,
         "box yes_no none \"t\" \"x\" -> yes"},
        {MessageButtons::retry_cancel, MessageIcon::error, true, MessageAnswer::retry,
         MessageAnswer::retry, "box retry_cancel error \"t\" \"x\" -> retry"},
        // An answer that is not one of the box's buttons closes it by other means.
        {MessageButtons::yes_no, MessageIcon::exclamation, true, MessageAnswer::retry,
         MessageAnswer::no, "box yes_no exclamation \"t\" \"x\" -> no"},
        {MessageButtons::ok,
         MessageIcon::information,
         false,
         {},
         MessageAnswer::ok,
         "box ok information \"t\" \"x\" -> ok"},
        {MessageButtons::yes_no,
         MessageIcon::none,
         false,
         {},
         MessageAnswer::no,
         "box yes_no none \"t\" \"x\" -> no"},
        {MessageButtons::retry_cancel,
         MessageIcon::none,
         false,
         {},
         MessageAnswer::cancel,
         "box retry_cancel none \"t\" \"x\" -> cancel"},
    };
    for (const Case& c : cases) {
        script_host_reset();
        if (c.queued) script_host_queue_answer(c.queued_answer);
        EXPECT_EQ(message_box("x", "t", c.buttons, c.icon), c.answer) << c.logged;
        EXPECT_EQ(script_host_messages(), std::vector<std::string>{c.logged});
    }
}

TEST_F(ScriptHostTest, LoggedTextsAreUtf8OnOneLine) {
    message_box("一行目\n二行目\r", "大変だ！", MessageButtons::ok, MessageIcon::error);
    EXPECT_EQ(script_host_messages().at(0), "box ok error \"" + u("大変だ！") + "\" \"" +
                                                u("一行目") + "\\n" + u("二行目") + "\\r\" -> ok");
}

TEST_F(ScriptHostTest, ValueDialogAnswersAreClampedAndCancelKeepsTheValue) {
    script_host_queue_value(5);
    script_host_queue_value(99);
    script_host_queue_value_cancel();
    int value = 3;
    EXPECT_EQ(input_value(8, 0, &value), 0);
    EXPECT_EQ(value, 5);
    EXPECT_EQ(input_value(8, 1, &value), 0);
    EXPECT_EQ(value, 8);
    EXPECT_EQ(input_value(8, 1, &value), -1);
    EXPECT_EQ(value, 8);
    EXPECT_EQ(input_value(8, 1, &value), -1);  // nothing queued: cancelled
    EXPECT_EQ(script_host_messages(), (std::vector<std::string>{
                                          "value 0..8 start 3 -> 5",
                                          "value 1..8 start 5 -> 8",
                                          "value 1..8 start 8 -> cancel",
                                          "value 1..8 start 8 -> cancel",
                                      }));
}

TEST_F(ScriptHostTest, StringDialogCutsToCapacityAndLeavesTheBufferOnCancel) {
    script_host_queue_string("abcdefgh");
    script_host_queue_string_cancel();
    char buffer[5] = "xy";
    EXPECT_EQ(input_string(nullptr, 5), -1);  // shows nothing, takes no answer
    EXPECT_EQ(input_string(buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "abcd");
    EXPECT_EQ(input_string(buffer, sizeof buffer), -1);
    EXPECT_STREQ(buffer, "abcd");
    EXPECT_EQ(script_host_messages(),
              (std::vector<std::string>{"string \"xy\" -> \"abcd\"", "string \"abcd\" -> cancel"}));
}

class FileDialogTest : public ScriptHostTest {
protected:
    void SetUp() override {
        ScriptHostTest::SetUp();
        folder_ = temp_.path().string();
        std::FILE* file = std::fopen((folder_ + "/old.mpa").c_str(), "w");
        ASSERT_NE(file, nullptr);
        std::fclose(file);
    }
    test_support::TempFolder temp_;
    std::string folder_;
};

TEST_F(FileDialogTest, OpenAndSaveGiveThePathAndTheName) {
    struct Case {
        bool saving;
        std::string chosen;  // empty: cancel
        int result;
        std::string path;
        std::string name;
    } cases[] = {
        {false, folder_ + "/old.mpa", 1, folder_ + "/old.mpa", "old.mpa"},
        {false, folder_ + "/missing.mpa", 0, "", ""},  // must exist to be opened
        {false, "", 0, "", ""},
        {true, folder_ + "/new", 1, folder_ + "/new.mpa", "new.mpa"},  // extension added
        {true, folder_ + "/new.dat", 1, folder_ + "/new.dat", "new.dat"},
        {true, folder_ + "/no/such/new.mpa", 0, "", ""},  // the folder must exist
        {true, std::string(FILE_NAME_CAPACITY, 'a'), 0, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen.substr(0, 60));
        script_host_reset();
        if (c.chosen.empty())
            script_host_queue_file_cancel();
        else
            script_host_queue_file(c.chosen.c_str());
        char name[FILE_NAME_CAPACITY] = "";
        char path[FILE_NAME_CAPACITY] = "";
        const int result = c.saving ? choose_save_file(name, path, "T", "*.mpa", "D")
                                    : choose_open_file(name, path, "T", "*.mpa", "D");
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(path, c.path);
        EXPECT_EQ(name, c.name);
        const std::string& line = script_host_messages().at(0);
        EXPECT_EQ(line.rfind(c.saving ? "save \"T\" *.mpa -> " : "open \"T\" *.mpa -> ", 0), 0u)
            << line;
    }
}

TEST_F(ScriptHostTest, TextWindowShowsCharacterCells) {
    clear_text();
    print_text("abc");
    print_text("表示");
    print_text("\nnext\n\nafter gap");
    set_text_pos(10, 5);
    print_text("there");
    set_text_pos(70, 6);
    print_text("clipped at the edge");
    set_text_pos(0, 10);
    print_text("below the window");
    const std::string expected = "abc" + u("表示") + "\n" +
                                 "next\n"
                                 "\n"
                                 "after gap\n"
                                 "\n"
                                 "          there\n" +
                                 std::string(70, ' ') +
                                 "clipp\n"
                                 "\n\n\n";
    EXPECT_EQ(script_host_text(), expected);
    clear_text();
    EXPECT_EQ(script_host_text(), std::string(SCRIPT_TEXT_ROWS, '\n'));
}

TEST_F(ScriptHostTest, PointerIsReadInClientPixels) {
    script_host_move(100, 50);
    script_host_press(PointerButton::left);
    int x, y, right, left;
    read_pointer(&x, &y, &right, &left);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 50);
    EXPECT_EQ(left, 1);
    resize_main_window(640, 480);
    read_pointer(&x, &y, &right, &left);
    EXPECT_EQ(x, 50);
    EXPECT_EQ(y, 25);
    script_host_move(120, 60);
    script_host_release(PointerButton::left);
    int button;
    get_last_release(&x, &y, &button);
    EXPECT_EQ(x, 120);
    EXPECT_EQ(y, 60);
    EXPECT_EQ(button, 2);
}

TEST_F(ScriptHostTest, ClockAdvancesOneMillisecondPerCall) {
    EXPECT_EQ(script_host_clock(), 0u);
    const uint32_t start = tick_count();
    uint32_t now = start;
    int calls = 0;
    while (now - start < 142) {
        now = tick_count();
        ++calls;
    }
    EXPECT_EQ(now - start, 142u);
    EXPECT_EQ(calls, 142);
}

TEST_F(ScriptHostTest, ScreenExistsOnlyAfterCreateScreen) {
    EXPECT_EQ(virtual_screen().bits, nullptr);
    create_screen();
    ASSERT_NE(virtual_screen().bits, nullptr);
    EXPECT_EQ(virtual_screen().width, 320);
    EXPECT_EQ(virtual_screen().height, 240);
    EXPECT_EQ(script_host_present_count(), 1);
    palette_open();
    load_system_colors();
    EXPECT_EQ(palette_get(255).red, 255);
    EXPECT_EQ(palette_get(0).red, 0);
}

TEST_F(ScriptHostTest, WindowsDirectoryIsTheSystemFolderOrTheLinuxPlace) {
    const test_support::TempFolder temp;
    const char* folder = temp.path().c_str();
    const std::string system = std::string(folder) + "/sys";
    script_host_set_system_dir((system + "/").c_str());
    char buffer[256];
    EXPECT_EQ(windows_directory(buffer, sizeof buffer), static_cast<int>(system.size()));
    EXPECT_EQ(buffer, system);
    struct stat info {};
    EXPECT_EQ(stat(system.c_str(), &info), 0);  // made when missing
    EXPECT_EQ(windows_directory(buffer, static_cast<int>(system.size())),
              -1);  // no room for the NUL

    script_host_set_system_dir(nullptr);
    const char* previous = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = previous == nullptr ? "" : previous;
    setenv("XDG_CONFIG_HOME", folder, 1);
    EXPECT_GT(windows_directory(buffer, sizeof buffer), 0);
    EXPECT_EQ(buffer, std::string(folder) + "/mepu");
    if (previous == nullptr)
        unsetenv("XDG_CONFIG_HOME");
    else
        setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    EXPECT_EQ(path_separator(), '/');
}

TEST_F(ScriptHostTest, ResetForgetsEverything) {
    script_host_queue_answer(MessageAnswer::yes);
    script_host_set_command_line("\"x.mpa\"");
    EXPECT_STREQ(command_line_file(), "x.mpa");
    log_command(5);
    request_exit();
    EXPECT_TRUE(script_host_exit_requested());
    script_host_reset();
    EXPECT_FALSE(script_host_exit_requested());
    EXPECT_EQ(command_line_file(), nullptr);
    EXPECT_EQ(command_log().count, 0);
    EXPECT_EQ(message_box("x", "t", MessageButtons::yes_no, MessageIcon::none), MessageAnswer::no);
}
}  // namespace
