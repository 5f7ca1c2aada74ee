#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "install/file_ops.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

using test_support::read_text;

class FileCopyTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(root / "kit");
        std::ofstream(root / "kit" / "mepu") << "program";
        fs::permissions(root / "kit" / "mepu", fs::perms(0755));
    }
    test_support::TempFolder temp{"mepu-copy"};
    const fs::path root = temp.path();
};

TEST_F(FileCopyTest, CopiedProgramStaysRunnableAlsoOverAnOlderFile) {
    ASSERT_TRUE(install_file_copy((root / "kit" / "mepu").string(), (root / "new").string()));
    EXPECT_EQ(fs::status(root / "new").permissions(), fs::perms(0755));
    // An earlier installation's file, not runnable, is replaced by a runnable one.
    std::ofstream(root / "old") << "an older and longer program";
    fs::permissions(root / "old", fs::perms(0644));
    ASSERT_TRUE(install_file_copy((root / "kit" / "mepu").string(), (root / "old").string()));
    EXPECT_EQ(fs::status(root / "old").permissions(), fs::perms(0755));
    EXPECT_EQ(read_text(root / "old"), "program");
    // A data file keeps its narrower bits.
    std::ofstream(root / "kit" / "a.dib") << "image";
    fs::permissions(root / "kit" / "a.dib", fs::perms(0640));
    ASSERT_TRUE(install_file_copy((root / "kit" / "a.dib").string(), (root / "a.dib").string()));
    EXPECT_EQ(fs::status(root / "a.dib").permissions(), fs::perms(0640));
}

// Every way a target can be the source itself leaves the file as it was.
TEST_F(FileCopyTest, TargetThatIsTheSourceIsLeftAlone) {
    fs::create_directory_symlink(root / "kit", root / "folder-link");
    fs::create_symlink(root / "kit" / "mepu", root / "file-link");
    ASSERT_EQ(link((root / "kit" / "mepu").c_str(), (root / "hard-link").c_str()), 0);
    const fs::path targets[] = {root / "kit" / "mepu",
                                root / "kit" / "." / "mepu",
                                root / "kit" / ".." / "kit" / "mepu",
                                root / "folder-link" / "mepu",
                                root / "file-link",
                                root / "hard-link"};
    for (const fs::path& target : targets) {
        EXPECT_TRUE(install_file_copy((root / "kit" / "mepu").string(), target.string())) << target;
        EXPECT_EQ(read_text(root / "kit" / "mepu"), "program") << target;
    }
    EXPECT_EQ(fs::status(root / "kit" / "mepu").permissions(), fs::perms(0755));
}

TEST_F(FileCopyTest, MissingSourceOrUnwritableTargetFails) {
    EXPECT_FALSE(install_file_copy((root / "kit" / "none").string(), (root / "x").string()));
    EXPECT_FALSE(fs::exists(root / "x"));
    EXPECT_FALSE(
        install_file_copy((root / "kit" / "mepu").string(), (root / "no-folder" / "x").string()));
}

}  // namespace
