#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "install/file_ops.h"
#include "support/temp_folder.h"

namespace {

using test_support::read_text;

void write_text(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
    CloseHandle(file);
}

class FileCopyTest : public ::testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryA((root + "\\Kit").c_str(), nullptr);
        write_text(root + "\\Kit\\mepu.exe", "program");
    }
    const test_support::TempFolder temp{"mepu-copy"};
    const std::string root = temp.path().string();
};

TEST_F(FileCopyTest, CopiesAndReplacesWithTheSystemCopy) {
    write_text(root + "\\other.exe", "an older and longer program");
    ASSERT_TRUE(install_file_copy(root + "\\Kit\\mepu.exe", root + "\\other.exe"));
    EXPECT_EQ(read_text(root + "\\other.exe"), "program");
    EXPECT_FALSE(install_file_copy(root + "\\Kit\\none.exe", root + "\\other.exe"));
}

// Other spellings of the source's own path: the file is left as it was.
TEST_F(FileCopyTest, TargetThatIsTheSourceIsLeftAlone) {
    for (const std::string& target :
         {root + "\\Kit\\mepu.exe", root + "\\KIT\\MEPU.EXE", root + "\\Kit\\.\\mepu.exe",
          root + "\\Kit\\..\\Kit\\mepu.exe", root + "/Kit/mepu.exe"}) {
        EXPECT_TRUE(install_file_copy(root + "\\Kit\\mepu.exe", target)) << target;
        EXPECT_EQ(read_text(root + "\\Kit\\mepu.exe"), "program") << target;
    }
}

}  // namespace
