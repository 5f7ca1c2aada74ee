#include "install/desktop_start_menu.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace {

std::string read_all(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class DesktopStartMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("mepu-menu-" + std::to_string(std::random_device{}()));
        fs::create_directories(root);
    }
    void TearDown() override { fs::remove_all(root); }
    fs::path root;
};

TEST_F(DesktopStartMenuTest, EntriesGoIntoTheGroupFolderWithUtf8Names) {
    DesktopStartMenu menu((root / "registry.ini").string(), (root / "applications").string());
    const std::string folder = menu.group_folder("めぷ");
    EXPECT_EQ(folder, (root / "applications" / u8"めぷ").string() + "/");
    ASSERT_TRUE(menu.create_shortcut("/opt/my kit/mepu", folder, "めぷ"));
    const std::string entry = read_all(fs::path(folder) / u8"めぷ.desktop");
    EXPECT_NE(entry.find("[Desktop Entry]\n"), std::string::npos);
    EXPECT_NE(entry.find(reinterpret_cast<const char*>(u8"Name=めぷ\n")), std::string::npos);
    EXPECT_NE(entry.find("Exec=\"/opt/my kit/mepu\"\n"), std::string::npos);
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

TEST_F(DesktopStartMenuTest, ExecQuotingEscapesSpecialCharacters) {
    DesktopStartMenu menu("", (root / "applications").string());
    const std::string folder = menu.group_folder("g");
    ASSERT_TRUE(menu.create_shortcut("/a\"b$c\\d", folder, "x"));
    EXPECT_NE(read_all(fs::path(folder) / "x.desktop").find("Exec=\"/a\\\\\"b\\\\$c\\\\\\\\d\"\n"),
              std::string::npos);
}

TEST_F(DesktopStartMenuTest, UnwritableFolderFails) {
    DesktopStartMenu menu("", (root / "applications").string());
    EXPECT_FALSE(menu.create_shortcut("/x", (root / "nowhere" / "").string(), "x"));
}

}  // namespace
