#include "install/desktop_start_menu.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include "run_program.h"
#include "support/temp_folder.h"
#include "support/text.h"

namespace fs = std::filesystem;

namespace {

using test_support::read_text;

// Names reach the start menu in UTF-8.
using test_support::utf8;

class DesktopStartMenuTest : public ::testing::Test {
protected:
    test_support::TempFolder temp{"mepu-menu"};
    const fs::path root = temp.path();
};

TEST_F(DesktopStartMenuTest, EntriesGoIntoTheGroupFolderUnderTheirNames) {
    DesktopStartMenu menu((root / "registry.ini").string(), (root / "applications").string());
    const std::string folder = menu.group_folder(utf8(u8"めぷ"));
    EXPECT_EQ(folder, (root / "applications" / u8"めぷ").string() + "/");
    ASSERT_TRUE(menu.create_shortcut("/opt/my kit/m2bmp", folder, utf8(u8"めぷBMP変換")));
    const std::string entry = read_text(fs::path(folder) / u8"めぷBMP変換.desktop");
    EXPECT_EQ(entry, "[Desktop Entry]\nType=Application\nName=" + utf8(u8"めぷBMP変換") +
                         "\nExec=\"/opt/my kit/m2bmp\" %f\n"
                         "MimeType=application/x-mepu-animation;\nIcon=org.mepu.Mepu\n"
                         "Terminal=false\n");
}

TEST_F(DesktopStartMenuTest, OnlyTheProgramsThatOpenAnimationsTakeAFileAndTheType) {
    DesktopStartMenu menu("", (root / "applications").string());
    const std::string folder = menu.group_folder("g");
    const struct {
        const char* target;
        bool opens;
    } cases[] = {{"/k/mepu", true},
                 {"/k/m2bmp", true},
                 {"/k/mepusaver", false},
                 {"/mepu/other", false},
                 {"/k/mepu.sh", false}};
    for (const auto& c : cases) {
        ASSERT_TRUE(menu.create_shortcut(c.target, folder, "e"));
        const std::string entry = read_text(fs::path(folder) / "e.desktop");
        EXPECT_EQ(entry.find(" %f\n") != std::string::npos, c.opens) << entry;
        EXPECT_EQ(entry.find("\nMimeType=application/x-mepu-animation;\n") != std::string::npos,
                  c.opens)
            << entry;
        EXPECT_NE(entry.find("\nIcon=org.mepu.Mepu\n"), std::string::npos) << entry;
    }
}

TEST_F(DesktopStartMenuTest, RegistryValueReplacesTheDefaultFolder) {
    std::ofstream(root / "registry.ini")
        << "[Control Panel\\desktop]\nStart Menu=/wrong\n"
        << "[SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders]\r\n"
        << "start menu=" << (root / "menu").string() << "\r\n";
    DesktopStartMenu menu((root / "registry.ini").string(), (root / "applications").string());
    EXPECT_EQ(menu.group_folder("g"), (root / "menu" / "g").string() + "/");
    EXPECT_TRUE(fs::is_directory(root / "menu" / "g"));
}

TEST_F(DesktopStartMenuTest, ExecAndNameAreEscapedForTheEntryFormat) {
    struct Case {
        std::string target, name, exec_line, name_line;
    };
    const Case cases[] = {
        {"/a\"b$c\\d`e", "x", "Exec=\"/a\\\\\"b\\\\$c\\\\\\\\d\\\\`e\"\n", "Name=x\n"},
        {"/kit/100% done/m", "p", "Exec=\"/kit/100%% done/m\"\n", "Name=p\n"},
        {"/k/m", "a\\b", "Exec=\"/k/m\"\n", "Name=a\\\\b\n"},
    };
    DesktopStartMenu menu("", (root / "applications").string());
    const std::string folder = menu.group_folder("g");
    for (const Case& c : cases) {
        ASSERT_TRUE(menu.create_shortcut(c.target, folder, c.name)) << c.target;
        const std::string entry = read_text(fs::path(folder) / (c.name + ".desktop"));
        EXPECT_NE(entry.find(c.exec_line), std::string::npos) << entry;
        EXPECT_NE(entry.find(c.name_line), std::string::npos) << entry;
    }
}

TEST_F(DesktopStartMenuTest, LineBreaksTabsAndControlCharactersAreRefused) {
    struct Case {
        std::string target, name;
    };
    const Case cases[] = {
        {"/kit/new\nline/mepu", "a"}, {"/kit/tab\there/mepu", "b"}, {"/kit/cr\r/mepu", "c"},
        {"/kit/mepu", "d\ne"},        {"/kit/mepu", "f\tg"},        {"/kit/bell\x07/mepu", "h"},
    };
    DesktopStartMenu menu("", (root / "applications").string());
    const std::string folder = menu.group_folder("g");
    for (const Case& c : cases)
        EXPECT_FALSE(menu.create_shortcut(c.target, folder, c.name)) << c.target << " " << c.name;
    EXPECT_TRUE(fs::is_empty(folder));
}

TEST_F(DesktopStartMenuTest, UnwritableFolderFails) {
    DesktopStartMenu menu("", (root / "applications").string());
    EXPECT_FALSE(menu.create_shortcut("/x", (root / "nowhere" / "").string(), "x"));
}

// Targets whose path needs every kind of quoting an entry has, under a Japanese folder.
const char* const AWKWARD_FOLDERS[] = {
    "plain", "with space", "quote\"and$dollar",       "back\\slash",
    "tick`", "100% sure",  "\xe3\x82\x81\xe3\x81\xb7"};

TEST_F(DesktopStartMenuTest, DesktopFileValidateAcceptsEveryEntry) {
    DesktopStartMenu menu("", (root / "applications").string());
    const std::string folder = menu.group_folder(utf8(u8"めぷ"));
    int n = 0;
    for (const char* part : AWKWARD_FOLDERS) {
        const std::string name = utf8(u8"めぷ") + std::to_string(n++);
        ASSERT_TRUE(menu.create_shortcut((root / part / "mepu").string(), folder, name));
        std::string output;
        EXPECT_EQ(run_program({"desktop-file-validate", folder + name + ".desktop"}, &output), 0)
            << part << ": " << output;
        EXPECT_EQ(output, "") << part;
    }
}

// A launcher starts each entry's program: a small script there records the path it ran as.
TEST_F(DesktopStartMenuTest, GioLaunchStartsTheTargetProgram) {
    DesktopStartMenu menu("", (root / "applications").string());
    const std::string folder = menu.group_folder("g");
    int n = 0;
    for (const char* part : AWKWARD_FOLDERS) {
        // GLib looks a program up before expanding %%, so it cannot start one under a % folder;
        // the entry itself is right (desktop-file-validate above).
        if (std::string(part).find('%') != std::string::npos) continue;
        const fs::path program = root / part / "mepu";
        const fs::path marker = root / ("ran-" + std::to_string(n));
        fs::create_directories(program.parent_path());
        std::ofstream(program) << "#!/bin/sh\nprintf '%s' \"$0\" > '" << marker.string()
                               << ".part' && mv '" << marker.string() << ".part' '"
                               << marker.string() << "'\n";
        fs::permissions(program, fs::perms::owner_all);
        const std::string name = "entry" + std::to_string(n++);
        ASSERT_TRUE(menu.create_shortcut(program.string(), folder, name));
        std::string output;
        EXPECT_EQ(run_program({"gio", "launch", folder + name + ".desktop"}, &output), 0)
            << part << ": " << output;
        for (int i = 0; i < 250 && !fs::exists(marker); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_EQ(read_text(marker), program.string()) << part;
    }
}

}  // namespace
