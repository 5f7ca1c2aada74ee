// Installs the kit the project builds, with the real install.ini, for a fresh desktop account,
// then starts the installed programs as their user would.
#include <gtest/gtest.h>

#include <QApplication>
#include <QtTest/QTest>

#include <signal.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "install/qt/desktop_installer.h"
#include "box_answerer.h"
#include "desktop_account.h"
#include "run_program.h"
#include "support/text.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

const fs::path BIN = MEPU_BIN_DIR;

using test_support::read_text;

using test_support::utf8;

// Runs the installer's dialog in the current folder, with a folder dropped on it when one is
// given, and answers Yes to the Start Menu question; the files it installed go into *files.
void install_here(std::vector<std::string>* files, const fs::path& dropped = {}) {
    DesktopInstaller installer;
    BoxAnswerer answerer(QStringLiteral("はい(&Y)"));
    if (!dropped.empty())
        installer.dialog().set_destination_folder(QString::fromStdString(dropped.string()));
    installer.dialog().show();
    QTest::mouseClick(installer.dialog().install_button(), Qt::LeftButton);
    for (int i = 0; i < 1000 && installer.dialog().isVisible(); ++i) QTest::qWait(20);
    ASSERT_FALSE(installer.dialog().isVisible());
    ASSERT_FALSE(answerer.titles.isEmpty());
    EXPECT_EQ(answerer.titles.back(), QStringLiteral("インストール完了"));
    *files = installer.dialog().script().install_files;
}

// Processes of this user whose program file is exactly `program`.
std::vector<pid_t> processes_running(const fs::path& program) {
    std::vector<pid_t> found;
    for (const fs::directory_entry& entry : fs::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::error_code error;
        const fs::path exe = fs::read_symlink(entry.path() / "exe", error);
        if (!error && exe == program) found.push_back(pid_t(std::stoi(name)));
    }
    return found;
}

// Ends what a launcher started, whatever the test found.
struct EndsPrograms {
    std::vector<pid_t> pids;
    ~EndsPrograms() {
        for (pid_t pid : pids) kill(pid, SIGTERM);
    }
};

// The launcher starts the entry; the program it names must be running, from its installed
// place, and still running a moment later (it did not stop on an error).
void expect_entry_starts(const fs::path& entry, const fs::path& program) {
    EndsPrograms started;
    // No capture of the launcher's output: the program it starts would hold it open.
    ASSERT_EQ(run_program({"gio", "launch", entry.string()}), 0) << entry;
    for (int i = 0; i < 250 && started.pids.empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        started.pids = processes_running(program);
    }
    ASSERT_EQ(started.pids.size(), 1u) << entry << " did not start " << program;
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_EQ(kill(started.pids[0], 0), 0) << program << " ended at once";
}

TEST(InstallKit, InstalledShortcutsStartTheInstalledPrograms) {
    DesktopAccount account;
    std::vector<std::string> files;
    {
        CurrentFolder in_kit(BIN);
        ASSERT_NO_FATAL_FAILURE(install_here(&files));
    }
    const fs::path installed = account.data_home() / "mepu";
    ASSERT_FALSE(files.empty());
    for (const std::string& item : files) {
        EXPECT_EQ(read_text(installed / item), read_text(BIN / item)) << item;
        EXPECT_EQ(fs::status(installed / item).permissions(), fs::status(BIN / item).permissions())
            << item;
    }
    EXPECT_EQ(read_text(account.config_home() / "mepu" / "mepusys.ini"), installed.string() + "/");

    const fs::path group = account.data_home() / "applications" / u8"めぷ";
    const std::pair<fs::path, const char*> entries[] = {
        {group / u8"めぷ.desktop", "mepu"},
        {group / u8"めぷスクリーンセーバー.desktop", "mepusaver"},
        {group / u8"めぷBMP変換.desktop", "m2bmp"},
    };
    EXPECT_EQ(std::distance(fs::directory_iterator(group), fs::directory_iterator()), 3);
    for (const auto& [entry, program] : entries) {
        std::string output;
        EXPECT_EQ(run_program({"desktop-file-validate", entry.string()}, &output), 0) << output;
        EXPECT_EQ(output, "") << entry;
        expect_entry_starts(entry, installed / program);
    }

    // The desktop knows the type and its icon from the account's own data folder.
    for (const char* icon : {"48x48/apps/org.mepu.Mepu.png", "128x128/apps/org.mepu.Mepu.png",
                             "256x256/apps/org.mepu.Mepu.png", "scalable/apps/org.mepu.Mepu.svg"})
        EXPECT_TRUE(fs::is_regular_file(account.data_home() / "icons/hicolor" / icon)) << icon;
    std::string type;
    EXPECT_EQ(run_program({"gio", "info", "-a", "standard::content-type",
                           (installed / "sample.mpa").string()},
                          &type),
              0);
    EXPECT_NE(type.find("standard::content-type: application/x-mepu-animation"), std::string::npos)
        << type;

    // The installed converter does its work from where it was installed.
    const fs::path frames = account.root() / "frames";
    fs::create_directories(frames);
    std::string output;
    EXPECT_EQ(run_program({(installed / "m2bmp").string(), (installed / "sample.mpa").string(),
                           (frames / "f").string()},
                          &output),
              0)
        << output;
    EXPECT_TRUE(fs::exists(frames / "f0000.BMP"));

    // The editor reads the written configuration and finds its menu images in the installed
    // folder: it greets the user instead of asking where it lives.
    std::ofstream(account.root() / "start.script")
        << "wait 10\ndump text " << (account.root() / "text.txt").string() << "\n";
    ASSERT_EQ(run_program({(BIN / "mepu-script").string(), "--log", "--system-dir",
                           (account.config_home() / "mepu").string(),
                           (account.root() / "start.script").string()},
                          &output),
              0)
        << output;
    EXPECT_NE(read_text(account.root() / "text.txt").find(utf8(u8"ようこそ")), std::string::npos);
    EXPECT_EQ(output.find(utf8(u8"めぷへようこそ")), std::string::npos) << output;
}

// The kit unpacked where the installer puts it, or its folder dropped on the dialog, and
// installed from there: every file is already in place and must come out unchanged.
TEST(InstallKit, KitInstalledIntoItsOwnFolderIsUnchanged) {
    for (const bool drop : {false, true}) {
        DesktopAccount account;
        const fs::path kit = drop ? account.root() / "unpacked kit" : account.data_home() / "mepu";
        fs::create_directories(kit);
        InstallScript script;
        ASSERT_EQ(read_install_script((BIN / "install.ini").string(), &script), "");
        script.install_files.push_back("install.ini");
        for (const std::string& item : script.install_files) fs::copy_file(BIN / item, kit / item);
        {
            CurrentFolder in_kit(kit);
            std::vector<std::string> files;
            ASSERT_NO_FATAL_FAILURE(install_here(&files, drop ? kit : fs::path()));
        }
        for (const std::string& item : script.install_files) {
            EXPECT_EQ(read_text(kit / item), read_text(BIN / item)) << item;
            EXPECT_EQ(fs::status(kit / item).permissions(), fs::status(BIN / item).permissions())
                << item;
        }
        EXPECT_EQ(read_text(account.config_home() / "mepu" / "mepusys.ini"), kit.string() + "/");
        EXPECT_EQ(fs::exists(account.data_home() / "mepu"), !drop);  // nothing went elsewhere
    }
}

}  // namespace
