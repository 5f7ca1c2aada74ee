// Replacing on Windows: ReplaceFileA keeps what the old file had, and a replacement the system
// refuses leaves the old file exactly as it was, with nothing temporary behind.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "contents.h"
#include "file_replace/replace_file.h"

namespace {

using test_support::read_file;
using test_support::TempFolder;

using file_replace_test::bytes_of;
using file_replace_test::writes;

// Another program's hold on a file: it reads and shares only what `sharing` says.
HANDLE hold(const std::string& path, DWORD sharing) {
    const HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(held, INVALID_HANDLE_VALUE);
    return held;
}

constexpr DWORD SHARES_ALL_BUT_DELETING = FILE_SHARE_READ | FILE_SHARE_WRITE;

// Names in a folder, through the ANSI calls, so Shift-JIS names come back as they were given.
std::vector<std::string> names_in(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

TEST(ReplaceFileWin32, AnExistingFileIsReplacedAndKeepsItsAttributes) {
    TempFolder folder;
    const std::string path = folder.file("hidden.mpa");
    test_support::write_file(path, bytes_of("old contents"));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    const ReplaceResult result = replace_file(path.c_str(), writes("new"));
    EXPECT_EQ(result.status, ReplaceStatus::ok);
    EXPECT_FALSE(result.written_in_place);
    EXPECT_EQ(read_file(path), bytes_of("new"));
    EXPECT_NE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(names_in(folder.path().string()), std::vector<std::string>{"hidden.mpa"});
}

TEST(ReplaceFileWin32, ARefusedSaveLeavesTheOldFileAndNothingBehind) {
    struct Case {
        const char* name;
        ReplaceStatus expected;
        // Makes the file refuse; returns what undoes it.
        std::function<std::function<void()>(const std::string&)> refuse;
    };
    const std::vector<Case> cases = {
        {"held open by another program that does not share deleting", ReplaceStatus::cannot_replace,
         [](const std::string& path) -> std::function<void()> {
             const HANDLE held = hold(path, SHARES_ALL_BUT_DELETING);
             return [held] { CloseHandle(held); };
         }},
        {"held open without any sharing", ReplaceStatus::cannot_create,
         [](const std::string& path) -> std::function<void()> {
             const HANDLE held = hold(path, 0);
             return [held] { CloseHandle(held); };
         }},
        {"read-only", ReplaceStatus::cannot_create,
         [](const std::string& path) -> std::function<void()> {
             EXPECT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
             return [path] { SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL); };
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::string path = folder.file("work.mpa");
        const std::vector<uint8_t> old(5000, 0x5A);
        test_support::write_file(path, old);
        const std::function<void()> undo = c.refuse(path);
        const ReplaceResult result = replace_file(path.c_str(), writes(std::string(9000, 'n')));
        undo();
        EXPECT_EQ(result.status, c.expected);
        EXPECT_EQ(read_file(path), old);
        EXPECT_EQ(names_in(folder.path().string()), std::vector<std::string>{"work.mpa"});
        // Once the file is free again, the same save goes through.
        EXPECT_EQ(replace_file(path.c_str(), writes("later")).status, ReplaceStatus::ok);
        EXPECT_EQ(read_file(path), bytes_of("later"));
    }
}

TEST(ReplaceFileWin32, AFileTakenHoldOfDuringTheSaveIsNotReplaced) {
    // ReplaceFileA itself meets the hold; the old file must come through whole.
    TempFolder folder;
    const std::string path = folder.file("work.mpa");
    const std::vector<uint8_t> old(5000, 0x5A);
    test_support::write_file(path, old);
    HANDLE held = INVALID_HANDLE_VALUE;
    const ReplaceResult result = replace_file(path.c_str(), [&](FileOutput& out) {
        if (held == INVALID_HANDLE_VALUE) {
            held = hold(path, SHARES_ALL_BUT_DELETING);
        }
        out.write(std::string(9000, 'n'));
    });
    CloseHandle(held);
    EXPECT_EQ(result.status, ReplaceStatus::cannot_replace);
    EXPECT_EQ(read_file(path), old);
    EXPECT_EQ(names_in(folder.path().string()), std::vector<std::string>{"work.mpa"});
}

TEST(ReplaceFileWin32, TheNewFileIsMadeInTheFolderOfAShiftJisPath) {
    // The second byte of 表 has a backslash's value, in the folder's name and in the file's.
    TempFolder folder;
    const std::string base = folder.path().string();
    const std::string japanese = base + "\\表示";
    ASSERT_TRUE(CreateDirectoryA(japanese.c_str(), nullptr));
    const std::string path = japanese + "\\表.mpa";
    for (const std::string contents : {"first", "second"}) {
        SCOPED_TRACE(contents);
        const ReplaceResult result = replace_file(path.c_str(), writes(contents));
        EXPECT_EQ(result.status, ReplaceStatus::ok);
        EXPECT_FALSE(result.written_in_place);
        EXPECT_EQ(read_file(path), bytes_of(contents));
        EXPECT_EQ(names_in(japanese), std::vector<std::string>{"表.mpa"});
        EXPECT_EQ(names_in(base), std::vector<std::string>{"表示"});
    }
}

}  // namespace
