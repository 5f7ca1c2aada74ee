// install.exe under Wine, driven through its real dialog and message boxes.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <system_error>
#include <utility>

#include "../wine/wine_driver.h"

namespace {

const char* const SHELL_FOLDERS =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

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
        RegSetValueExA(key_, "Start Menu", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                       DWORD(folder.size() + 1));
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

const std::string CLASSES = "SOFTWARE\\Classes\\";

// A value below HKLM\SOFTWARE\Classes as text; "<missing>" when it is not there.
std::string class_value(const std::string& key, const char* name) {
    char value[1024] = {};
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, (CLASSES + key).c_str(), name, RRF_RT_ANY, nullptr, value,
                     &size) != ERROR_SUCCESS)
        return "<missing>";
    return std::string(value, size > 0 && value[size - 1] == '\0' ? size - 1 : size);
}

// An audio player owns .mpa while the test runs; afterwards the extension is as it was and our
// ProgID is gone.
class AudioPlayerOwnsMpa {
public:
    AudioPlayerOwnsMpa() {
        saved_ = class_value(".mpa", nullptr);
        set_default(PLAYER);
    }
    ~AudioPlayerOwnsMpa() {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, (CLASSES + "mepu.Animation.1").c_str());
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, (CLASSES + ".mpa\\OpenWithProgids").c_str(),
                           "mepu.Animation.1");
        if (saved_ == "<missing>")
            RegDeleteTreeA(HKEY_LOCAL_MACHINE, (CLASSES + ".mpa").c_str());
        else
            set_default(saved_);
    }
    static constexpr const char* PLAYER = "TestPlayer.Audio";

private:
    static void set_default(const std::string& value) {
        RegSetKeyValueA(HKEY_LOCAL_MACHINE, (CLASSES + ".mpa").c_str(), nullptr, REG_SZ,
                        value.c_str(), DWORD(value.size() + 1));
    }
    std::string saved_;
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

// What an install.ini shows: the test kit's own, or the real one of the kit zip.
struct ScriptTexts {
    const char* title;
    const char* message;
    const char* last_copy;
    const char* end_message;
};
const ScriptTexts TEST_SCRIPT = {"テストのインストール", "インストールします",
                                 "copying sysmenu.dib", "おわりました"};

// Starts the installer in `kit`, presses its button, answers the Start Menu question and closes
// the end message.
void install_through_the_dialog(const std::string& kit, const std::string& destination,
                                bool start_menu,
                                const std::string& install_exe = windows_path(MEPU_INSTALL_EXE),
                                const ScriptTexts& texts = TEST_SCRIPT) {
    DrivenProgram installer;
    ASSERT_TRUE(installer.start(install_exe, "", kit));
    HWND dialog = installer.wait_window("#32770", texts.title);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog_item_text(dialog, 1003), texts.message);
    EXPECT_EQ(dialog_item_text(dialog, 1004), destination);

    press_button(dialog, IDOK);
    HWND question = installer.wait_window("#32770", "スタートメニューに登録");
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(message_box_text(question), "スタートメニューに登録しますか？");
    press_button(question, start_menu ? IDYES : IDNO);
    HWND done = installer.wait_window("#32770", "インストール完了");
    ASSERT_NE(done, nullptr);
    EXPECT_EQ(message_box_text(done), texts.end_message);
    // The copy lines were shown, the last one standing.
    EXPECT_EQ(dialog_item_text(dialog, 1006), texts.last_copy);
    press_button(done, IDOK);
    EXPECT_EQ(installer.wait_exit(), 0);
}

// "Open with" offers the editor installed in `destination`; the audio player keeps the extension.
void expect_open_with_editor(const std::string& destination) {
    const std::string editor = "\"" + destination + "mepu.exe\"";
    EXPECT_EQ(class_value(".mpa", nullptr), AudioPlayerOwnsMpa::PLAYER);
    EXPECT_EQ(class_value(".mpa\\OpenWithProgids", "mepu.Animation.1"), "");
    EXPECT_EQ(class_value("mepu.Animation.1\\shell\\open\\command", nullptr), editor + " \"%1\"");
    EXPECT_EQ(class_value("mepu.Animation.1\\DefaultIcon", nullptr), editor + ",0");
}

TEST(InstallExe, InstallsCopiesConfigurationAndShortcutsThroughItsDialog) {
    const std::string kit = make_scratch_folder("mepu-kit");
    const std::string menu = make_scratch_folder("mepu-startmenu");
    const std::string dest = "mepu-wine-" + std::to_string(GetCurrentProcessId());
    write_kit(kit, dest);
    StartMenuRedirect redirect(menu);
    AudioPlayerOwnsMpa player;
    const std::string destination = destination_of(dest);
    const InstalledFolder installed(destination);
    ASSERT_NO_FATAL_FAILURE(install_through_the_dialog(kit, destination, true));
    expect_open_with_editor(destination);

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
    AudioPlayerOwnsMpa player;
    ASSERT_NO_FATAL_FAILURE(install_through_the_dialog(kit, destination, false));

    EXPECT_EQ(read_text(kit + "\\mepu.exe"), "program");
    EXPECT_EQ(read_text(kit + "\\m2bmp.exe"), "converter");
    EXPECT_EQ(read_text(kit + "\\sysmenu.dib"), "image");
    EXPECT_EQ(read_text(kit + "\\install.ini"), script);
    const std::string config = windows_dir() + "\\mepusys-installtest.ini";
    EXPECT_EQ(read_text(config), destination);
    DeleteFileA(config.c_str());
}

// Every file and folder below `folder`, with its size and last write.
void add_tree(const std::string& folder, std::map<std::string, std::string>* tree) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = folder + "\\" + name;
        (*tree)[path] = std::to_string(found.nFileSizeLow) + "@" +
                        std::to_string(found.ftLastWriteTime.dwLowDateTime);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) add_tree(path, tree);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

std::map<std::string, std::string> tree_of(const std::string& folder) {
    std::map<std::string, std::string> tree;
    add_tree(folder, &tree);
    return tree;
}

// Goes through whatever install.exe shows as a user would: the button of its dialog, Yes to the
// Start Menu, OK to each message, until it ends.
void press_on_through(DrivenProgram& installer, const char* dialog_title) {
    if (HWND dialog = installer.find_window("#32770", dialog_title)) press_button(dialog, IDOK);
    for (int i = 0; i < 500 && installer.running(); ++i) {
        for (const char* title : {"スタートメニューに登録", "インストール完了",
                                  "インストール時のエラー", "インストール失敗"})
            if (HWND box = installer.find_window("#32770", title))
                press_button(box, std::string(title) == "スタートメニューに登録" ? IDYES : IDOK);
        Sleep(20);
    }
}

// A script naming places outside the installer's folders is refused with the reading error
// before the dialog offers to install, and nothing is written anywhere: not in the kit, the
// Start Menu, nor where its names lead.
TEST(InstallExe, ClimbingScriptIsRefusedAndWritesNothing) {
    const std::string pid = std::to_string(GetCurrentProcessId());
    const std::string scratch = make_scratch_folder("mepu-climb");
    const std::string kit = scratch + "\\kit";
    const std::string menu = scratch + "\\menu";
    ASSERT_TRUE(CreateDirectoryA(kit.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(menu.c_str(), nullptr));
    std::ofstream(kit + "\\a.txt", std::ios::binary) << "a";
    std::ofstream(scratch + "\\outside.txt", std::ios::binary) << "outside";
    const std::string drive = windows_dir().substr(0, 3);
    const std::string victim = drive + "mepu-victim-" + pid + ".txt";
    std::ofstream(victim, std::ios::binary) << "the user's own";
    StartMenuRedirect redirect(menu);
    struct Climb {
        std::string destination, ini_file, install_file, more;
        std::string escape;  // where the names lead, which must stay missing
    };
    const Climb climbs[] = {
        {"..\\mepu-climb-" + pid, "mepusys-climbtest.ini", "a.txt", "",
         drive + "mepu-climb-" + pid},
        {"mepu-c-" + pid, "system32\\mepu-hosts-" + pid, "a.txt", "",
         windows_dir() + "\\system32\\mepu-hosts-" + pid},
        {"mepu-c-" + pid, "..\\mepu-victim-" + pid + ".txt", "a.txt", "", ""},
        {drive + "mepu-abs-" + pid, "mepusys-climbtest.ini", "a.txt", "",
         drive + "mepu-abs-" + pid},
        {"mepu-c-" + pid, "mepusys-climbtest.ini", "..\\outside.txt", "",
         destination_of("mepu-c-" + pid) + "..\\outside.txt"},
        {"mepu-c-" + pid, "mepusys-climbtest.ini", "a.txt",
         "#GroupName\r\n..\\..\\escaped\r\n#Appname\r\nA\r\n#LinkTo\r\na.txt\r\n", ""},
        {"mepu-c-" + pid, "mepusys-climbtest.ini", "a.txt",
         "#GroupName\r\ng\r\n#Appname\r\n..\\A\r\n#LinkTo\r\na.txt\r\n", ""},
    };
    for (const Climb& climb : climbs) {
        std::ofstream(kit + "\\install.ini", std::ios::binary)
            << "#Title\r\nclimb\r\n#InstallDest\r\n"
            << climb.destination << "\r\n#IniFile\r\n"
            << climb.ini_file << "\r\n#InstallFiles\r\n"
            << climb.install_file << "\r\n"
            << climb.more << "#EndMessage\r\nend\r\n";
        const auto before = tree_of(scratch);
        DrivenProgram installer;
        ASSERT_TRUE(installer.start(windows_path(MEPU_INSTALL_EXE), "", kit));
        HWND box = installer.wait_window("#32770", "インストール情報読み込みエラー", 5000);
        EXPECT_NE(box, nullptr) << climb.destination << " " << climb.ini_file << " "
                                << climb.install_file << climb.more;
        if (box != nullptr) {
            EXPECT_EQ(message_box_text(box), "インストール情報の読み込みに失敗しました");
            press_button(box, IDOK);
        }
        press_on_through(installer, "climb");
        EXPECT_EQ(installer.wait_exit(), 0);
        EXPECT_EQ(tree_of(scratch), before) << climb.destination << " " << climb.ini_file;
        EXPECT_EQ(read_text(victim), "the user's own");
        EXPECT_FALSE(file_exists(windows_dir() + "\\mepusys-climbtest.ini"));
        EXPECT_FALSE(file_exists(destination_of("mepu-c-" + pid)));
        if (!climb.escape.empty()) {
            EXPECT_FALSE(file_exists(climb.escape)) << climb.escape;
        }
    }
    DeleteFileA(victim.c_str());
}

// The kit zip unpacked in MEPU_KIT_FOLDER and installed as a user would, with its own
// install.exe and install.ini (run by windows_kit_zip_test.sh; it installs the real kit into the
// prefix's Program Files and removes it again).
TEST(InstallExe, DISABLED_KitZipInstallsAndRegistersOpenWith) {
    const char* kit_folder = std::getenv("MEPU_KIT_FOLDER");
    ASSERT_NE(kit_folder, nullptr) << "MEPU_KIT_FOLDER names the unpacked kit";
    const std::string kit = kit_folder;
    const std::string destination = destination_of("mepu");
    const std::string config = windows_dir() + "\\mepusys.ini";
    const std::vector<unsigned char> config_before = read_file(config);
    const bool had_config = GetFileAttributesA(config.c_str()) != INVALID_FILE_ATTRIBUTES;
    AudioPlayerOwnsMpa player;
    const ScriptTexts kit_script = {
        "めぷインストーラ", "「めぷ」をインストールします。", "copying sample.mpa",
        "インストールが終わりました。スタートメニューから「めぷ」を起動してください。"};
    ASSERT_NO_FATAL_FAILURE(
        install_through_the_dialog(kit, destination, false, kit + "\\install.exe", kit_script));

    for (const char* file : {"mepu.exe", "mepusaver.scr", "m2bmp.exe", "sysmenu.dib",
                             "animmenu.dib", "stpmenu.dib", "editmenu.dib", "sample.mpa"}) {
        const std::vector<unsigned char> installed = read_file(destination + file);
        EXPECT_FALSE(installed.empty()) << file;
        EXPECT_EQ(installed, read_file(kit + "\\" + file)) << file;
        DeleteFileA((destination + file).c_str());
    }
    RemoveDirectoryA(destination.c_str());
    EXPECT_EQ(read_text(config), destination);
    if (had_config)
        std::ofstream(config, std::ios::binary)
            .write(reinterpret_cast<const char*>(config_before.data()), config_before.size());
    else
        DeleteFileA(config.c_str());
    expect_open_with_editor(destination);
}

}  // namespace
