// install.exe under Wine, driven through its real dialog and message boxes.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <utility>

#include "../wine/wine_driver.h"

namespace {

const char* const SHELL_FOLDERS = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::string parent_of(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

using test_support::read_text;

// The installation's folder in the shared prefix goes when the test ends, however it ends.
class InstalledFolder {
public:
    explicit InstalledFolder(std::string folder) : folder_(std::move(folder)) {}
    ~InstalledFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    InstalledFolder(const InstalledFolder&) = delete;
    InstalledFolder& operator=(const InstalledFolder&) = delete;

private:
    std::string folder_;
};

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

// The kit's files and a script for it in `kit`; the destination is `dest` below Progra~1.
void write_kit(const std::string& kit, const std::string& dest) {
    std::ofstream(kit + "\\mepu.exe", std::ios::binary) << "program";
    std::ofstream(kit + "\\m2bmp.exe", std::ios::binary) << "converter";
    std::ofstream(kit + "\\sysmenu.dib", std::ios::binary) << "image";
    std::ofstream(kit + "\\install.ini", std::ios::binary)
        << "#Title\r\nテストのインストール\r\n#Message\r\nインストールします\r\n#InstallDest\r\n"
        << dest << "\r\n#IniFile\r\nmepusys-installtest.ini\r\n#InstallFiles\r\nmepu.exe\r\n"
        << "m2bmp.exe\r\nsysmenu.dib\r\n#GroupName\r\nめぷテスト\r\n#Appname\r\nめぷ\r\n"
        << "めぷBMP変換\r\n#LinkTo\r\nmepu.exe\r\nm2bmp.exe\r\n#EndMessage\r\nおわりました\r\n";
}

std::string windows_dir() {
    char dir[MAX_PATH] = {};
    GetWindowsDirectoryA(dir, sizeof dir);
    return dir;
}

// The destination the installer completes `dest` to.
std::string destination_of(const std::string& dest) {
    return windows_dir().substr(0, 3) + "Progra~1\\" + dest + "\\";
}

// Starts install.exe in `kit`, presses its button, answers the Start Menu question and closes
// the end message.
void install_through_the_dialog(const std::string& kit, const std::string& destination,
                                bool start_menu) {
    DrivenProgram installer;
    ASSERT_TRUE(installer.start(windows_path(MEPU_INSTALL_EXE), "", kit));
    HWND dialog = installer.wait_window("#32770", "テストのインストール");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog_item_text(dialog, 1003), "インストールします");
    EXPECT_EQ(dialog_item_text(dialog, 1004), destination);

    press_button(dialog, IDOK);
    HWND question = installer.wait_window("#32770", "スタートメニューに登録");
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(message_box_text(question), "スタートメニューに登録しますか？");
    press_button(question, start_menu ? IDYES : IDNO);
    HWND done = installer.wait_window("#32770", "インストール完了");
    ASSERT_NE(done, nullptr);
    EXPECT_EQ(message_box_text(done), "おわりました");
    // The copy lines were shown, the last one standing.
    EXPECT_EQ(dialog_item_text(dialog, 1006), "copying sysmenu.dib");
    press_button(done, IDOK);
    EXPECT_EQ(installer.wait_exit(), 0);
}

TEST(InstallExe, InstallsCopiesConfigurationAndShortcutsThroughItsDialog) {
    const std::string kit = make_scratch_folder("mepu-kit");
    const std::string menu = make_scratch_folder("mepu-startmenu");
    const std::string dest = "mepu-wine-" + std::to_string(GetCurrentProcessId());
    write_kit(kit, dest);
    StartMenuRedirect redirect(menu);
    const std::string destination = destination_of(dest);
    const InstalledFolder installed(destination);
    ASSERT_NO_FATAL_FAILURE(install_through_the_dialog(kit, destination, true));

    EXPECT_EQ(read_text(destination + "mepu.exe"), "program");
    EXPECT_EQ(read_text(destination + "m2bmp.exe"), "converter");
    EXPECT_EQ(read_text(destination + "sysmenu.dib"), "image");
    const std::string config = windows_dir() + "\\mepusys-installtest.ini";
    EXPECT_EQ(read_text(config), destination);
    DeleteFileA(config.c_str());
    const std::string group = menu + "\\ﾌﾟﾛｸﾞﾗﾑ\\めぷテスト\\";
    const std::pair<const char*, const char*> links[] = {{"めぷ.lnk", "mepu.exe"},
                                                         {"めぷBMP変換.lnk", "m2bmp.exe"}};
    // With MEPU_INSTALL_LINKS_OUT set, the links and the target each must have are left there
    // for a shortcut reader of the build machine (install_exe_links.sh).
    const char* keep = std::getenv("MEPU_INSTALL_LINKS_OUT");
    std::ofstream targets;
    if (keep) targets.open(std::string(keep) + "\\targets.txt", std::ios::binary);
    int n = 0;
    for (const auto& [link, program] : links) {
        const std::vector<unsigned char> lnk = read_file(group + link);
        ASSERT_GE(lnk.size(), 4u) << link;
        EXPECT_EQ(lnk[0], 0x4C);  // a shell link's header size
        if (keep) {
            const std::string kept = "link" + std::to_string(n++) + ".lnk";
            EXPECT_TRUE(CopyFileA((group + link).c_str(), (std::string(keep) + "\\" + kept).c_str(),
                                  FALSE));
            targets << kept << '\t' << destination << program << '\n';
        }
    }
}

// The kit unpacked where the installer puts it and installed from there: each copy finds its
// target is its source, writes nothing, and the installation goes on to its end.
TEST(InstallExe, KitInstalledIntoItsOwnFolderIsUnchanged) {
    const std::string dest = "mepu-wine-self-" + std::to_string(GetCurrentProcessId());
    const std::string destination = destination_of(dest);
    const std::string kit = destination.substr(0, destination.size() - 1);
    CreateDirectoryA(parent_of(kit).c_str(), nullptr);
    ASSERT_TRUE(CreateDirectoryA(kit.c_str(), nullptr)) << kit;
    const InstalledFolder installed(kit);
    write_kit(kit, dest);
    const std::string script = read_text(kit + "\\install.ini");
    ASSERT_NO_FATAL_FAILURE(install_through_the_dialog(kit, destination, false));

    EXPECT_EQ(read_text(kit + "\\mepu.exe"), "program");
    EXPECT_EQ(read_text(kit + "\\m2bmp.exe"), "converter");
    EXPECT_EQ(read_text(kit + "\\sysmenu.dib"), "image");
    EXPECT_EQ(read_text(kit + "\\install.ini"), script);
    const std::string config = windows_dir() + "\\mepusys-installtest.ini";
    EXPECT_EQ(read_text(config), destination);
    DeleteFileA(config.c_str());
}

}  // namespace
