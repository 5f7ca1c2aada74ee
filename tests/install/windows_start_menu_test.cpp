#include "install/windows_start_menu.h"
#include "support/temp_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <cstring>
#include <fstream>

namespace fs = std::filesystem;

namespace {

const char* const SHELL_FOLDERS =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// Points the user's Start Menu at a temporary folder for the test and restores it afterwards.
class WindowsStartMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, SHELL_FOLDERS, 0, nullptr, 0,
                                  KEY_READ | KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        DWORD size = sizeof saved;
        had_value = RegQueryValueExA(key, "Start Menu", nullptr, nullptr,
                                     reinterpret_cast<BYTE*>(saved), &size) == ERROR_SUCCESS;
        RegSetValueExA(key, "Start Menu", 0, REG_SZ, reinterpret_cast<const BYTE*>(root.c_str()),
                       DWORD(root.size() + 1));
    }
    void TearDown() override {
        if (had_value)
            RegSetValueExA(key, "Start Menu", 0, REG_SZ, reinterpret_cast<const BYTE*>(saved),
                           DWORD(std::strlen(saved) + 1));
        else
            RegDeleteValueA(key, "Start Menu");
        RegCloseKey(key);
    }
    const test_support::TempFolder temp{"mepu-startmenu"};
    const std::string root = temp.path().string();
    HKEY key = nullptr;
    char saved[MAX_PATH] = {};
    bool had_value = false;
};

TEST_F(WindowsStartMenuTest, MakesRealShellLinksInTheProgramsGroup) {
    WindowsStartMenu menu;
    const std::string folder = menu.group_folder("kit");
    ASSERT_EQ(folder, root + "\\ﾌﾟﾛｸﾞﾗﾑ\\kit\\");
    ASSERT_TRUE(menu.create_shortcut("C:\\Progra~1\\anim\\mepu.exe", folder, "めぷ"));
    std::ifstream link(folder + "めぷ.lnk", std::ios::binary);
    ASSERT_TRUE(link.good());
    unsigned char header[20] = {};
    link.read(reinterpret_cast<char*>(header), sizeof header);
    // A shell link starts with its header size (0x4C) and the shell link class id.
    EXPECT_EQ(header[0], 0x4C);
    EXPECT_EQ(header[4], 0x01);
    EXPECT_EQ(header[5], 0x14);
    EXPECT_EQ(header[6], 0x02);
}

TEST_F(WindowsStartMenuTest, MissingStartMenuValueFails) {
    RegDeleteValueA(key, "Start Menu");
    WindowsStartMenu menu;
    EXPECT_EQ(menu.group_folder("kit"), "");
}

}  // namespace
