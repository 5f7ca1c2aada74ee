// Installs the kit the project builds with the real install.ini, then starts the editor on the
// configuration the installer wrote.
#include <gtest/gtest.h>

#include <QApplication>
#include <QtTest/QTest>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "install/desktop_start_menu.h"
#include "install/file_ops.h"
#include "install/install_places.h"
#include "install/qt/install_dialog.h"
#include "box_answerer.h"

namespace fs = std::filesystem;

namespace {

std::string read_all(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(InstallKit, InstalledEditorStartsWithoutTheFirstRunSetup) {
    const fs::path bin = MEPU_BIN_DIR;
    const fs::path root =
        fs::temp_directory_path() / ("mepu-kit-" + std::to_string(std::random_device{}()));
    fs::create_directories(root);
    const InstallPlaces places = xdg_install_places((root / "config").c_str(),
                                                    (root / "data").c_str(), nullptr);
    make_folders(places.windows_dir);

    const fs::path previous = fs::current_path();
    fs::current_path(bin);
    InstallScript script;
    ASSERT_EQ(read_install_script("install.ini", &script), "");
    complete_install_paths(places, &script);
    DesktopStartMenu start_menu(places.windows_dir + "/registry.ini",
                                places.programs_prefix + "applications");
    InstallDialog dialog(script, true, start_menu);
    BoxAnswerer answerer(QStringLiteral("はい(&Y)"));
    dialog.show();
    QTest::mouseClick(dialog.install_button(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), 20000);
    fs::current_path(previous);

    const fs::path installed = root / "data" / "mepu";
    for (const std::string& item : script.install_files)
        EXPECT_EQ(read_all(installed / item), read_all(bin / item)) << item;
    EXPECT_EQ(read_all(root / "config" / "mepu" / "mepusys.ini"), installed.string() + "/");
    const fs::path group = root / "data" / "applications" / u8"めぷ";
    EXPECT_TRUE(fs::exists(group / u8"めぷ.desktop"));
    EXPECT_EQ(std::distance(fs::directory_iterator(group), fs::directory_iterator()), 3);
    EXPECT_EQ(answerer.titles.back(), QStringLiteral("インストール完了"));

    // The editor reads the written configuration and finds its menu images in the installed
    // folder: it greets the user instead of asking where it lives.
    std::ofstream(root / "start.script") << "wait 10\ndump text " << (root / "text.txt").string()
                                         << "\n";
    const std::string command = (bin / "mepu-script").string() + " --log --system-dir " +
                                (root / "config" / "mepu").string() + " " +
                                (root / "start.script").string() + " > " +
                                (root / "log.txt").string();
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_NE(read_all(root / "text.txt").find(reinterpret_cast<const char*>(u8"ようこそ")),
              std::string::npos);
    EXPECT_EQ(read_all(root / "log.txt").find(reinterpret_cast<const char*>(u8"めぷへようこそ")),
              std::string::npos);
    fs::remove_all(root);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
