// The real editor's start-up through mepu-script: configuration file, first-run setup, menu
// images from the program folder, welcome text and the command-line file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>
#include <string>
#include <vector>

#include "support/anim_file_bytes.h"
#include "support/temp_folder.h"
#include "support/text.h"

namespace {

using test_support::read_file;
using test_support::TempFolder;

using test_support::utf8;

std::string text_of(const std::string& path) {
    const std::vector<uint8_t> bytes = read_file(path);
    return std::string(bytes.begin(), bytes.end());
}

// The folder holding mepu-script and the menu images, as the configuration file names it.
std::string program_folder() { return std::string(MEPU_PROGRAM_FOLDER) + "/"; }

class StartupScriptTest : public testing::Test {
protected:
    // Runs mepu-script with --log; returns its exit code and leaves its output in log().
    int run(const std::string& script, const std::string& animation = "") {
        test_support::write_file(folder.file("script.txt"),
                                 std::vector<uint8_t>(script.begin(), script.end()));
        std::string command = std::string("'") + MEPU_SCRIPT_PROGRAM + "' --system-dir '" +
                              system_dir() + "' --log '" + folder.file("script.txt") + "'";
        if (!animation.empty()) {
            command += " '" + animation + "'";
        }
        command += " > '" + folder.file("log.txt") + "' 2>&1";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string log() const { return text_of(folder.file("log.txt")); }
    std::string system_dir() const { return folder.file("windows"); }
    std::string config_path() const { return folder.file("windows/mepusys.ini"); }
    void write_config(const std::string& text) {
        std::filesystem::create_directories(system_dir());
        test_support::write_file(config_path(), std::vector<uint8_t>(text.begin(), text.end()));
    }

    TempFolder folder;
};

const char8_t WELCOME[] =
    u8"ようこそ､お気楽アニメーションしすてむ｢めぷ｣へ\n\n"
    u8"  もう一つの窓の上でマウスのみぎのボタンをおすとメニューがでます｡\n";

TEST_F(StartupScriptTest, NormalStartShowsTheWelcome) {
    write_config(program_folder());
    // The wait passes only once the editor polls for the first click, after the welcome.
    ASSERT_EQ(run("wait 8\ndump text " + folder.file("welcome.txt") + "\n"), 0) << log();
    EXPECT_EQ(text_of(folder.file("welcome.txt")).rfind(utf8(WELCOME), 0), 0u)
        << text_of(folder.file("welcome.txt"));
    EXPECT_EQ(log(), "");
}

TEST_F(StartupScriptTest, FirstRunWritesTheConfigurationAndStarts) {
    const std::string script = "answer ok\nfile " + std::string(MEPU_SCRIPT_PROGRAM) +
                               "\nanswer ok\nwait 8\ndump text " + folder.file("welcome.txt") +
                               "\n";
    ASSERT_EQ(run(script), 0) << log();
    EXPECT_EQ(text_of(config_path()), program_folder());
    EXPECT_EQ(text_of(folder.file("welcome.txt")).rfind(utf8(WELCOME), 0), 0u);
    EXPECT_NE(log().find(utf8(u8"これから「めぷ」の設定を行います。")), std::string::npos) << log();
    EXPECT_NE(log().find(utf8(u8"mepu.exeがインストールされた場所を指定してください")),
              std::string::npos);
    EXPECT_NE(log().find(utf8(u8"システムフォルダに設定ファイル\"mepusys.ini\"を作成します。")),
              std::string::npos);
}

TEST_F(StartupScriptTest, MissingMenuImagesEndTheStartAndForgetTheFolder) {
    std::filesystem::create_directories(folder.path() / "empty");
    write_config((folder.path() / "empty" / "").string());
    ASSERT_EQ(run("wait 8\n"), 0) << log();
    EXPECT_FALSE(std::filesystem::exists(config_path()));
    EXPECT_NE(log().find(utf8(u8"「めぷ」を起動するのに必要なファイルが見付かりません。")),
              std::string::npos)
        << log();
    EXPECT_NE(log().find(utf8(u8"ＯＫボタンをおすとめぷは終了します。")), std::string::npos);
}

TEST_F(StartupScriptTest, CommandLineFilePlaysWithoutAClick) {
    write_config(program_folder());
    const std::string path = folder.file("black.mpa");
    test_support::write_file(
        path, test_support::FileBytes().header(1, 30).record(std::vector<uint8_t>(600, 127)).bytes);
    const std::string canvas = folder.file("canvas.bin");
    ASSERT_EQ(run("wait 40\ndump canvas " + canvas + "\nrclick 5 5\nwait 8\n", path), 0) << log();
    EXPECT_EQ(read_file(canvas), std::vector<uint8_t>(320 * 240, 10));
    EXPECT_EQ(log().find("open "), std::string::npos) << log();
}

}  // namespace
