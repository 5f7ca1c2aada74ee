// install.exe under Wine, driven through its real dialog and message boxes.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>

#include "../wine/wine_driver.h"

namespace {

const char* const SHELL_FOLDERS = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::string text_of(const std::string& path) {
    const std::vector<unsigned char> bytes = read_file(path);
    return std::string(bytes.begin(), bytes.end());
}

// Points the user's Start Menu at a scratch folder while the test runs.
class StartMenuRedirect {
public:
    explicit StartMenuRedirect(const std::string& folder) {
        RegCreateKeyExA(HKEY_CURRENT_USER, SHELL_FOLDERS, 0, nullptr, 0, KEY_READ | KEY_WRITE,
                        nullptr, &key_, nullptr);
        DWORD size = sizeof saved_;
        had_value_ = RegQueryValueExA(key_, "Start Menu", nullptr, nullptr,
                                      reinterpret_cast<BYTE*>(saved_), &size) == ERROR_SUCCESS;
        RegSetValueExA(key_, "Start Menu", 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(folder.c_str()), DWORD(folder.size() + 1));
    }
    ~StartMenuRedirect() {
        if (had_value_)
            RegSetValueExA(key_, "Start Menu", 0, REG_SZ, reinterpret_cast<const BYTE*>(saved_),
                           DWORD(std::strlen(saved_) + 1));
        else
            RegDeleteValueA(key_, "Start Menu");
        RegCloseKey(key_);
    }

private:
    HKEY key_ = nullptr;
    char saved_[MAX_PATH] = {};
    bool had_value_ = false;
};

TEST(InstallExe, InstallsCopiesConfigurationAndShortcutsThroughItsDialog) {
    const std::string kit = make_scratch_folder("mepu-kit");
    const std::string menu = make_scratch_folder("mepu-startmenu");
    const std::string dest = "mepu-wine-" + std::to_string(GetCurrentProcessId());
    std::ofstream(kit + "\\mepu.exe", std::ios::binary) << "program";
    std::ofstream(kit + "\\sysmenu.dib", std::ios::binary) << "image";
    std::ofstream(kit + "\\install.ini", std::ios::binary)
        << "#Title\r\nテストのインストール\r\n#Message\r\nインストールします\r\n#InstallDest\r\n"
        << dest << "\r\n#IniFile\r\nmepusys-installtest.ini\r\n#InstallFiles\r\nmepu.exe\r\n"
        << "sysmenu.dib\r\n#GroupName\r\nめぷテスト\r\n#Appname\r\nめぷ\r\n#LinkTo\r\nmepu.exe\r\n"
        << "#EndMessage\r\nおわりました\r\n";
    StartMenuRedirect redirect(menu);

    DrivenProgram installer;
    ASSERT_TRUE(installer.start(windows_path(MEPU_INSTALL_EXE), "", kit));
    HWND dialog = installer.wait_window("#32770", "テストのインストール");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog_item_text(dialog, 1003), "インストールします");
    char windows_dir[MAX_PATH] = {};
    GetWindowsDirectoryA(windows_dir, sizeof windows_dir);
    const std::string destination = std::string(windows_dir, 3) + "Progra~1\\" + dest + "\\";
    EXPECT_EQ(dialog_item_text(dialog, 1004), destination);

    press_button(dialog, IDOK);
    HWND question = installer.wait_window("#32770", "スタートメニューに登録");
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(message_box_text(question), "スタートメニューに登録しますか？");
    press_button(question, IDYES);
    HWND done = installer.wait_window("#32770", "インストール完了");
    ASSERT_NE(done, nullptr);
    EXPECT_EQ(message_box_text(done), "おわりました");
    press_button(done, IDOK);
    EXPECT_EQ(installer.wait_exit(), 0);

    EXPECT_EQ(text_of(destination + "mepu.exe"), "program");
    EXPECT_EQ(text_of(destination + "sysmenu.dib"), "image");
    const std::string config = std::string(windows_dir) + "\\mepusys-installtest.ini";
    EXPECT_EQ(text_of(config), destination);
    const std::string link = menu + "\\ﾌﾟﾛｸﾞﾗﾑ\\めぷテスト\\めぷ.lnk";
    const std::vector<unsigned char> lnk = read_file(link);
    ASSERT_GE(lnk.size(), 4u);
    EXPECT_EQ(lnk[0], 0x4C);  // a shell link's header size
    DeleteFileA(config.c_str());
}

}  // namespace
