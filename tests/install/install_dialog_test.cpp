#include "install/qt/install_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMimeData>
#include <QUrl>
#include <QtTest/QTest>

#include <filesystem>
#include <fstream>
#include <random>

#include "install/installer_texts.h"
#include "box_answerer.h"

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
    const fs::path root =
        fs::temp_directory_path() / ("mepu-dialog-" + std::to_string(std::random_device{}()));
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
    EXPECT_EQ(answerer.titles,
              (QStringList{QStringLiteral("スタートメニューに登録"), QStringLiteral("インストール完了")}));
    EXPECT_EQ(answerer.texts.back(), QStringLiteral("おわり"));
    fs::remove_all(root);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
