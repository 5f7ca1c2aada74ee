// Runs the scripted host as a program (with the stand-in application of sample_app.cpp).
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host/script/script_host_testing.h"
#include "support/temp_folder.h"

namespace {
using test_support::read_text;

std::string u(const char* shift_jis) { return sjis_to_utf8(shift_jis); }

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class ScriptRunTest : public ::testing::Test {
protected:
    void SetUp() override { dir_ = temp_.path().string(); }

    // Runs the program in the test's folder; returns its exit code.
    int run(const std::string& script, const std::string& options = "",
            const std::string& animation = "") {
        {
            std::ofstream out(dir_ + "/test.script", std::ios::binary);
            out << script;
        }
        const std::string command = "cd '" + dir_ + "' && XDG_CONFIG_HOME='" + dir_ +
                                    "' '" SCRIPT_HOST_SAMPLE "' " + options + " test.script " +
                                    animation + " >out.txt 2>err.txt";
        const int status = std::system(command.c_str());
        out_ = read_text(dir_ + "/out.txt");
        err_ = read_text(dir_ + "/err.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    test_support::TempFolder temp_;
    std::string dir_, out_, err_;
};

TEST_F(ScriptRunTest, ASampleScriptDrivesEveryCommand) {
    std::ofstream(dir_ + "/old.mpa") << "x";
    const std::string script =
        "# every command once\n"
        "value 5\n"
        "string hello\n"
        "file " +
        dir_ +
        "/old.mpa\n"
        "file " +
        dir_ +
        "/saved\n"
        "answer yes\n"
        "move 5 6\n"
        "press left\n"
        "wait 20\n"
        "release left\n"
        "click 100 50\n"
        "dump canvas canvas.bin\n"
        "rclick 200 100\n"
        "wait 4\n"
        "dump text text.txt\n"
        "press right\n"
        "release right\n"
        "dump text empty-queues.txt\n";
    ASSERT_EQ(run(script, "--log --system-dir sys", "anime.mpa"), 0) << err_;
    EXPECT_EQ(err_, "");

    const std::string canvas = read_text(dir_ + "/canvas.bin");
    ASSERT_EQ(canvas.size(), 76800u);
    for (int i = 0; i < 76800; ++i) {
        const bool marked = i == 6 * 320 + 5 || i == 50 * 320 + 100;
        ASSERT_EQ(static_cast<uint8_t>(canvas[static_cast<std::size_t>(i)]), marked ? 10 : 255)
            << i;
    }

    EXPECT_EQ(read_text(dir_ + "/text.txt"),
              "value 0 5\n"
              "string 0 hello\n"
              "open 1\n"
              "save 1 saved.mpa\n"
              "answer 1\n"
              "waited 142\n\n\n\n\n");
    EXPECT_EQ(read_text(dir_ + "/empty-queues.txt"),
              "value -1 3\n"
              "string -1 start\n"
              "open 0\n"
              "save 0\n"
              "answer 2\n"
              "waited 142\n\n\n\n\n");
    const std::vector<std::string> expected_out = {
        "value 0..8 start 3 -> 5",
        "string \"start\" -> \"hello\"",
        "open \"" + u("開く") + "\" *.mpa -> " + dir_ + "/old.mpa",
        "save \"" + u("保存") + "\" *.mpa -> " + dir_ + "/saved.mpa",
        "box yes_no exclamation \"" + u("確認") + "\" \"" + u("よろしいですか") + "\" -> yes",
        "value 0..8 start 3 -> cancel",
        "string \"start\" -> cancel",
        "open \"" + u("開く") + "\" *.mpa -> cancel",
        "save \"" + u("保存") + "\" *.mpa -> cancel",
        "box yes_no exclamation \"" + u("確認") + "\" \"" + u("よろしいですか") + "\" -> no",
        "free_app_data",
    };
    EXPECT_EQ(lines_of(out_), expected_out);
    struct stat info {};
    EXPECT_EQ(stat((dir_ + "/sys").c_str(), &info), 0);
}

TEST_F(ScriptRunTest, StartUpShowsTheCommandLineFile) {
    ASSERT_EQ(run("dump text t.txt\n", "", "\"my anime.mpa\""), 0) << err_;
    EXPECT_EQ(lines_of(read_text(dir_ + "/t.txt")).at(0), u("準備できました"));
    EXPECT_EQ(lines_of(read_text(dir_ + "/t.txt")).at(1), "file my anime.mpa");
    EXPECT_EQ(out_, "free_app_data\n");  // the host's exit after the script, without --log
}

TEST_F(ScriptRunTest, AFaultRunsTheGuardAndTheRestOfTheScriptStillRuns) {
    ASSERT_EQ(run("click 7 7\nrclick 2 2\nwait 10\ndump text t.txt\n", "--log"), 0) << err_;
    EXPECT_EQ(read_text(dir_ + "/mepu.erf"), "total = 0\n");
    const std::vector<std::string> out = lines_of(out_);
    ASSERT_EQ(out.size(), 5u) << out_;
    EXPECT_EQ(out[0].rfind("box ok error \"" + u("実行時のエラー") + "\"", 0), 0u);
    EXPECT_EQ(out[3], "save_animation");
    EXPECT_EQ(out[4], "free_app_data");
    EXPECT_EQ(lines_of(read_text(dir_ + "/t.txt")).at(1), "left 7 7");
}

TEST_F(ScriptRunTest, RequestExitEndsTheRunAtOnce) {
    ASSERT_EQ(run("rclick 315 2\nclick 1 1\ndump text never.txt\n"), 0) << err_;
    EXPECT_EQ(out_, "free_app_data\n");
    EXPECT_NE(access((dir_ + "/never.txt").c_str(), F_OK), 0);
}

TEST_F(ScriptRunTest, LeavingAppMainAfterRequestExitRunsNoGuard) {
    ASSERT_EQ(run("rclick 315 15\nwait 10\n", "--log"), 0) << err_;
    EXPECT_EQ(out_, "free_app_data\n");
    EXPECT_NE(access((dir_ + "/mepu.erf").c_str(), F_OK), 0);
}

TEST_F(ScriptRunTest, ScriptErrorsStopBeforeAnythingRuns) {
    struct Case {
        std::string script;
        std::string message;
    } cases[] = {
        {"move 1 2\nclick 3\n", "test.script:2: 'click' takes 2 arguments\n"},
        {"# fine\n\nfly 1 2\n", "test.script:3: unknown command 'fly'\n"},
        {"wait ten\n", "test.script:1: bad number of polls 'ten'\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(c.script + "dump text t.txt\n"), 2) << c.script;
        EXPECT_EQ(err_, c.message);
        EXPECT_EQ(out_, "");  // the application never started
        EXPECT_NE(access((dir_ + "/t.txt").c_str(), F_OK), 0);
    }
}

TEST_F(ScriptRunTest, UsageErrorsExitWithTwo) {
    for (const std::string& options : {std::string("--bogus"), std::string("--system-dir")}) {
        const std::string command = "'" SCRIPT_HOST_SAMPLE "' " + options + " >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        EXPECT_EQ(WEXITSTATUS(status), 2) << options;
    }
    EXPECT_EQ(run("", "", "a.mpa extra"), 2);
    const int status =
        std::system(("'" SCRIPT_HOST_SAMPLE "' " + dir_ + "/missing 2>/dev/null").c_str());
    EXPECT_EQ(WEXITSTATUS(status), 2);
}
}  // namespace
