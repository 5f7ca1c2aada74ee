#include "install/qt/install_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMimeData>
#include <QUrl>
#include <QtTest/QTest>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>

#include "install/installer_texts.h"
#include "install/qt/desktop_installer.h"
#include "box_answerer.h"
#include "desktop_account.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

struct NoStartMenu : StartMenu {
    std::string group_folder(const std::string&) override { return {}; }
    bool create_shortcut(const std::string&, const std::string&, const std::string&) override {
        return false;
    }
};

TEST(InstallDialog, InstallIsTheDefaultButtonAndTextsComeFromTheScript) {
    InstallScript script;
    script.title = "めぷインストーラ";
    script.message = "メッセージ";
    script.destination = "/opt/mepu/";
    NoStartMenu menu;
    InstallDialog dialog(script, true, menu);
    EXPECT_TRUE(dialog.install_button()->isDefault());
    EXPECT_EQ(dialog.install_button()->text(), QStringLiteral("インストール"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("めぷインストーラ"));
    EXPECT_EQ(dialog.destination_label()->text(), QStringLiteral("/opt/mepu/"));
}

TEST(InstallDialog, DroppingAFolderMakesItTheDestination) {
    NoStartMenu menu;
    InstallDialog dialog(InstallScript{}, true, menu);
    dialog.show();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/tmp/some tools")});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &enter);
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &drop);
    EXPECT_EQ(dialog.script().destination, "/tmp/some tools/");
    EXPECT_EQ(dialog.destination_label()->text(), QStringLiteral("/tmp/some tools/"));
}

TEST(InstallDialog, UnreadableScriptShowsItsBoxThenCloses) {
    NoStartMenu menu;
    InstallDialog dialog(InstallScript{}, false, menu);
    BoxAnswerer answerer(QStringLiteral("OK"));
    dialog.show();
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), 5000);
    ASSERT_EQ(answerer.titles.size(), 1);
    EXPECT_EQ(answerer.titles[0], QStringLiteral("インストール情報読み込みエラー"));
    EXPECT_EQ(answerer.texts[0], QStringLiteral("インストール情報の読み込みに失敗しました"));
}

TEST(InstallDialog, ReturnInstallsAndNoSkipsTheStartMenu) {
    const test_support::TempFolder temp("mepu-dialog");
    const fs::path root = temp.path();
    fs::create_directories(root / "windows");
    const fs::path previous = fs::current_path();
    fs::current_path(root);
    std::ofstream("a.txt") << "a";
    InstallScript script;
    script.install_files = {"a.txt"};
    script.destination = (root / "dest").string() + "/";
    script.ini_file = (root / "windows" / "mepusys.ini").string();
    script.end_message = "おわり";
    NoStartMenu menu;  // would fail: answering No must not reach it
    InstallDialog dialog(script, true, menu);
    BoxAnswerer answerer(QStringLiteral("いいえ(&N)"));
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), 5000);
    fs::current_path(previous);
    EXPECT_TRUE(fs::exists(root / "dest" / "a.txt"));
    EXPECT_EQ(dialog.progress_label()->text(), QStringLiteral("copying a.txt"));
    EXPECT_EQ(answerer.titles, (QStringList{QStringLiteral("スタートメニューに登録"),
                                            QStringLiteral("インストール完了")}));
    EXPECT_EQ(answerer.texts.back(), QStringLiteral("おわり"));
}

// A kit folder with one file and a script (Shift-JIS, as install.ini is) whose destination is
// Japanese unless another is given.
void make_kit(const fs::path& kit, const std::string& destination = "めぷ表",
              const std::string& ini_file = "mepusys.ini",
              const std::string& install_file = "a.txt") {
    fs::create_directories(kit);
    std::ofstream(kit / "a.txt") << "a";
    std::ofstream(kit / "install.ini", std::ios::binary)
        << "#Title\r\nテスト\r\n#InstallDest\r\n"
        << destination << "\r\n#IniFile\r\n"
        << ini_file << "\r\n#InstallFiles\r\n"
        << install_file << "\r\n#EndMessage\r\nおわり\r\n";
}

// Every file and folder below root, with the contents of the files.
std::map<std::string, std::string> tree_of(const fs::path& root) {
    std::map<std::string, std::string> tree;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        std::ifstream in(entry.path(), std::ios::binary);
        tree[entry.path().string()] =
            entry.is_directory() ? "(folder)" : std::string(std::istreambuf_iterator<char>(in), {});
    }
    return tree;
}

// Runs the installer in the kit as its user would and answers its boxes; the script must be
// refused with the reading error before the dialog offers to install.
void expect_script_refused(const fs::path& kit) {
    CurrentFolder in_kit(kit);
    DesktopInstaller installer;
    BoxAnswerer answerer(QStringLiteral("はい(&Y)"));
    installer.dialog().show();
    // The box comes at once; a user who got the dialog instead would press the button.
    for (int i = 0; i < 10 && answerer.titles.isEmpty(); ++i) QTest::qWait(20);
    if (installer.dialog().isVisible())
        QTest::mouseClick(installer.dialog().install_button(), Qt::LeftButton);
    for (int i = 0; i < 250 && installer.dialog().isVisible(); ++i) QTest::qWait(20);
    ASSERT_FALSE(installer.dialog().isVisible());
    EXPECT_EQ(answerer.titles, QStringList{QStringLiteral("インストール情報読み込みエラー")});
    EXPECT_EQ(answerer.texts,
              QStringList{QStringLiteral("インストール情報の読み込みに失敗しました")});
}

bool exists_below(const fs::path& folder) { return fs::exists(folder) && !fs::is_empty(folder); }

TEST(DesktopInstaller, CancellingWritesNothing) {
    DesktopAccount account;
    make_kit(account.root() / "kit");
    CurrentFolder in_kit(account.root() / "kit");
    DesktopInstaller installer;
    installer.dialog().show();
    QTest::mouseClick(installer.dialog().cancel_button(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!installer.dialog().isVisible(), 5000);
    EXPECT_FALSE(fs::exists(account.config_home()));
    EXPECT_FALSE(exists_below(account.data_home()));
}

TEST(DesktopInstaller, MissingScriptWritesNothing) {
    DesktopAccount account;
    fs::create_directories(account.root() / "empty");
    CurrentFolder in_empty(account.root() / "empty");
    DesktopInstaller installer;
    BoxAnswerer answerer(QStringLiteral("OK"));
    installer.dialog().show();
    QTRY_VERIFY_WITH_TIMEOUT(!installer.dialog().isVisible(), 5000);
    EXPECT_EQ(answerer.titles, QStringList{QStringLiteral("インストール情報読み込みエラー")});
    EXPECT_FALSE(fs::exists(account.config_home()));
    EXPECT_FALSE(exists_below(account.data_home()));
}

// A kit whose script names places outside the installer's folders writes nothing anywhere, nor
// does a user's own file change.
TEST(DesktopInstaller, ClimbingScriptIsRefusedAndWritesNothing) {
    struct Climb {
        const char* destination;
        const char* ini_file;
        const char* install_file;
        const char* more;
    };
    const Climb climbs[] = {
        {"../home", "mepusys.ini", "a.txt", ""},
        {"mepu", "../../victim.txt", "a.txt", ""},
        {"/absolute", "mepusys.ini", "a.txt", ""},
        {"mepu", "mepusys.ini", "../kit/a.txt", ""},
        {"mepu", "mepusys.ini", "a.txt",
         "#GroupName\r\n../../.config/autostart\r\n#Appname\r\nA\r\n#LinkTo\r\na.txt\r\n"},
        {"mepu", "mepusys.ini", "a.txt",
         "#GroupName\r\ng\r\n#Appname\r\n../A\r\n#LinkTo\r\na.txt\r\n"},
        {"mepu", "mepusys.ini", "a.txt",
         "#GroupName\r\ng\r\n#Appname\r\nA\r\n#LinkTo\r\n/bin/sh\r\n"},
    };
    for (const Climb& climb : climbs) {
        DesktopAccount account;
        fs::create_directories(account.root() / "home");
        std::ofstream(account.root() / "home" / ".bashrc") << "the user's own";
        std::ofstream(account.root() / "victim.txt") << "the user's own";
        const fs::path kit = account.root() / "kit";
        // An absolute destination inside the account, where a write would show.
        const std::string destination = climb.destination[0] == '/'
                                            ? account.root().string() + climb.destination
                                            : climb.destination;
        make_kit(kit, destination, climb.ini_file, climb.install_file);
        std::ofstream(kit / "install.ini", std::ios::app | std::ios::binary) << climb.more;
        const auto before = tree_of(account.root());
        ASSERT_NO_FATAL_FAILURE(expect_script_refused(kit));
        EXPECT_EQ(tree_of(account.root()), before) << climb.destination << " " << climb.ini_file
                                                   << " " << climb.install_file << climb.more;
    }
}

// With no home folder and no XDG folders the installer has nowhere of the user's to write.
TEST(DesktopInstaller, NoHomeFolderIsRefusedAndWritesNothing) {
    DesktopAccount account;
    const fs::path kit = account.root() / "kit";
    make_kit(kit, "mepu");
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"}) unsetenv(name);
    ASSERT_FALSE(fs::exists("/mepu"));
    const auto before = tree_of(account.root());
    ASSERT_NO_FATAL_FAILURE(expect_script_refused(kit));
    EXPECT_EQ(tree_of(account.root()), before);
    EXPECT_FALSE(fs::exists("/mepu"));
}

TEST(DesktopInstaller, JapaneseDestinationIsShownAndMadeUnderOneName) {
    DesktopAccount account;
    make_kit(account.root() / "kit");
    CurrentFolder in_kit(account.root() / "kit");
    DesktopInstaller installer;
    const fs::path expected = account.data_home() / u8"めぷ表";
    EXPECT_EQ(installer.dialog().script().destination, expected.string() + "/");
    EXPECT_EQ(installer.dialog().destination_label()->text(),
              QString::fromStdString(expected.string() + "/"));
    BoxAnswerer answerer(QStringLiteral("いいえ(&N)"));
    installer.dialog().show();
    QTest::mouseClick(installer.dialog().install_button(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!installer.dialog().isVisible(), 5000);
    EXPECT_TRUE(fs::exists(expected / "a.txt"));
    std::ifstream config(account.config_home() / "mepu" / "mepusys.ini");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(config), {}), expected.string() + "/");
    EXPECT_EQ(answerer.titles.back(), QStringLiteral("インストール完了"));
}

// A folder name with a line break cannot go into a desktop entry: the Start Menu step says so.
TEST(DesktopInstaller, DroppedFolderWithALineBreakGetsNoShortcuts) {
    DesktopAccount account;
    make_kit(account.root() / "kit");
    std::ofstream(account.root() / "kit" / "install.ini", std::ios::app | std::ios::binary)
        << "#GroupName\r\ng\r\n#Appname\r\nA\r\n#LinkTo\r\na.txt\r\n";
    CurrentFolder in_kit(account.root() / "kit");
    DesktopInstaller installer;
    const fs::path dropped = account.root() / "two\nlines";
    installer.dialog().set_destination_folder(QString::fromStdString(dropped.string()));
    BoxAnswerer answerer(QStringLiteral("はい(&Y)"));
    installer.dialog().show();
    QTest::mouseClick(installer.dialog().install_button(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!installer.dialog().isVisible(), 5000);
    EXPECT_TRUE(fs::exists(dropped / "a.txt"));
    EXPECT_EQ(answerer.titles.back(), QStringLiteral("インストール失敗"));
    EXPECT_EQ(answerer.texts.back(), QStringLiteral("スタートメニュー登録に失敗しました"));
    EXPECT_TRUE(fs::is_empty(account.data_home() / "applications" / "g"));
}

}  // namespace
