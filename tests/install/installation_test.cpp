#include "install/installation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "install/installer_texts.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

using test_support::read_text;

void write_file(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

struct RecordingUi : InstallerUi {
    bool answer_yes = true;
    std::vector<std::string> progress;
    std::vector<std::pair<std::string, std::string>> messages;  // text, title
    int questions = 0;
    void show_progress(const std::string& text) override { progress.push_back(text); }
    bool ask_yes_no(const char*, const char*) override {
        ++questions;
        return answer_yes;
    }
    void show_message(const char* text, const char* title) override {
        messages.emplace_back(text, title);
    }
};

struct RecordingStartMenu : StartMenu {
    bool found = true;
    std::vector<std::pair<std::string, std::string>> shortcuts;  // target, name
    std::string group_folder(const std::string& group) override {
        return found ? "menu/" + group + "/" : std::string();
    }
    bool create_shortcut(const std::string& target, const std::string&,
                         const std::string& name) override {
        shortcuts.emplace_back(target, name);
        return true;
    }
};

// A source folder with the kit's files, a destination and a folder standing for the Windows
// directory, all below a fresh temporary folder.
class InstallationTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(root / "source");
        fs::create_directories(root / "windows");
        write_file(root / "source" / "a.exe", "program a");
        write_file(root / "source" / "b.dib", std::string(300, '\x02'));
        script.install_files = {"a.exe", "b.dib"};
        script.destination = (root / "dest").string() + "/";
        script.ini_file = (root / "windows" / "mepusys.ini").string();
        script.end_message = "all done";
        script.group_name = "kit";
    }
    InstallOutcome install() {
        return run_installation(script, (root / "source").string(), ui, start_menu);
    }

    test_support::TempFolder temp{"mepu-install"};
    const fs::path root = temp.path();
    InstallScript script;
    RecordingUi ui;
    RecordingStartMenu start_menu;
};

TEST_F(InstallationTest, CopiesWritesConfigAndEndsWithTheEndMessage) {
    ASSERT_EQ(install(), InstallOutcome::done);
    EXPECT_EQ(read_text(root / "dest" / "a.exe"), "program a");
    EXPECT_EQ(read_text(root / "dest" / "b.dib"), std::string(300, '\x02'));
    EXPECT_EQ(ui.progress, (std::vector<std::string>{"copying a.exe", "copying b.dib"}));
    // The configuration file is the destination with its separator and nothing else.
    EXPECT_EQ(read_text(root / "windows" / "mepusys.ini"), script.destination);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0],
              std::make_pair(std::string("all done"), std::string(INSTALL_DONE_TITLE)));
}

TEST_F(InstallationTest, OverwritesExistingFilesAndCreatesSubfolders) {
    fs::create_directories(root / "dest");
    write_file(root / "dest" / "a.exe", "old version, longer than the new one");
    fs::create_directories(root / "source" / "images");
    write_file(root / "source" / "images" / "c.dib", "c");
    script.install_files.push_back("images/c.dib");
    ASSERT_EQ(install(), InstallOutcome::done);
    EXPECT_EQ(read_text(root / "dest" / "a.exe"), "program a");
    EXPECT_EQ(read_text(root / "dest" / "images" / "c.dib"), "c");
}

// The kit installed into its own folder, however that folder is spelt: every file is already in
// place and stays as it is, the progress lines still show, and the installation goes on.
TEST_F(InstallationTest, InstallingTheKitOntoItselfLeavesEveryFileUnchanged) {
    fs::create_directories(root / "source" / "images");
    write_file(root / "source" / "images" / "c.dib", "c");
    script.install_files.push_back("images/c.dib");
    for (const fs::path& spelling : {root / "source", root / "source" / "."}) {
        script.destination = spelling.string() + "/";
        ui = RecordingUi{};
        ASSERT_EQ(install(), InstallOutcome::done) << spelling;
        EXPECT_EQ(read_text(root / "source" / "a.exe"), "program a") << spelling;
        EXPECT_EQ(read_text(root / "source" / "b.dib"), std::string(300, '\x02')) << spelling;
        EXPECT_EQ(read_text(root / "source" / "images" / "c.dib"), "c") << spelling;
        EXPECT_EQ(ui.progress, (std::vector<std::string>{"copying a.exe", "copying b.dib",
                                                         "copying images/c.dib"}));
        EXPECT_EQ(read_text(root / "windows" / "mepusys.ini"), script.destination);
    }
}

TEST_F(InstallationTest, MissingFileStopsBeforeTheConfigurationAndKeepsEarlierCopies) {
    script.install_files = {"a.exe", "missing.exe", "b.dib"};
    ASSERT_EQ(install(), InstallOutcome::copy_failed);
    EXPECT_TRUE(fs::exists(root / "dest" / "a.exe"));
    EXPECT_FALSE(fs::exists(root / "dest" / "b.dib"));
    EXPECT_FALSE(fs::exists(root / "windows" / "mepusys.ini"));
    EXPECT_EQ(ui.questions, 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].first, COPY_FAILED_TEXT);
    EXPECT_EQ(ui.messages[0].second, INSTALL_ERROR_TITLE);
}

TEST_F(InstallationTest, ConfigurationFolderIsMadeOnlyWhenInstalling) {
    script.ini_file = (root / "fresh" / "mepu" / "mepusys.ini").string();
    ASSERT_EQ(install(), InstallOutcome::done);
    EXPECT_EQ(read_text(script.ini_file), script.destination);
}

TEST_F(InstallationTest, UnwritableConfigurationStopsWithItsMessage) {
    write_file(root / "a-file", "");
    script.ini_file = (root / "a-file" / "mepusys.ini").string();
    ASSERT_EQ(install(), InstallOutcome::config_failed);
    EXPECT_EQ(ui.messages.back().first, CONFIG_FAILED_TEXT);
    EXPECT_EQ(ui.questions, 0);
}

TEST_F(InstallationTest, ShortcutsPairTargetsWithNamesUntilTheShorterListEnds) {
    script.link_targets = {"a.exe", "b.exe", "c.exe", "d.exe"};
    script.app_names = {"A", "B", "C"};
    ASSERT_EQ(install(), InstallOutcome::done);
    ASSERT_EQ(start_menu.shortcuts.size(), 3u);
    EXPECT_EQ(start_menu.shortcuts[2],
              std::make_pair(script.destination + "c.exe", std::string("C")));
}

TEST_F(InstallationTest, NoSkipsTheShortcutsButStillShowsTheEndMessage) {
    script.link_targets = {"a.exe"};
    script.app_names = {"A"};
    ui.answer_yes = false;
    ASSERT_EQ(install(), InstallOutcome::done);
    EXPECT_TRUE(start_menu.shortcuts.empty());
    EXPECT_EQ(ui.messages.back().second, INSTALL_DONE_TITLE);
}

TEST_F(InstallationTest, MissingStartMenuFailsWithItsMessage) {
    start_menu.found = false;
    ASSERT_EQ(install(), InstallOutcome::shortcuts_failed);
    EXPECT_EQ(ui.messages.back().first, SHORTCUTS_FAILED_TEXT);
    EXPECT_EQ(ui.messages.back().second, SHORTCUTS_FAILED_TITLE);
    // What was done before stays: nothing is rolled back.
    EXPECT_TRUE(fs::exists(root / "windows" / "mepusys.ini"));
}

}  // namespace
