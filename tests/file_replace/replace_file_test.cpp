// What every platform's replacing must do: new contents in place, nothing temporary left, and the
// neighbours of the file untouched.
#include <gtest/gtest.h>

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

TEST(ReplaceFile, NewAndExistingFilesGetExactlyTheNewContents) {
    struct Case {
        const char* name;
        bool exists_before;
        std::string old_contents;
        std::string new_contents;
    };
    const std::vector<Case> cases = {
        {"new file", false, "", "fresh\n"},
        {"longer than the old file", true, "short", std::string(100000, 'L')},
        {"shorter than the old file", true, std::string(100000, 'O'), "s"},
        {"emptied", true, "something", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::string path = folder.file("work.mpa");
        if (c.exists_before) {
            test_support::write_file(path, bytes_of(c.old_contents));
        }
        const ReplaceResult result = replace_file(path.c_str(), writes(c.new_contents));
        EXPECT_EQ(result.status, ReplaceStatus::ok);
        EXPECT_FALSE(result.written_in_place);
        EXPECT_EQ(read_file(path), bytes_of(c.new_contents));
        EXPECT_EQ(folder.names(), std::vector<std::string>{"work.mpa"});
    }
}

TEST(ReplaceFile, FilesWhoseNamesAFormerSaveUsedAreLeftAlone) {
    TempFolder folder;
    const std::string path = folder.file("anime.mpa");
    test_support::write_file(path, bytes_of("old"));
    const std::vector<std::string> neighbours = {"anime.mpa.~wr", "anime.mpa.new", "~mepu.tmp"};
    for (const std::string& name : neighbours) {
        test_support::write_file(folder.file(name), bytes_of("keep " + name));
    }
    ASSERT_EQ(replace_file(path.c_str(), writes("new")).status, ReplaceStatus::ok);
    EXPECT_EQ(read_file(path), bytes_of("new"));
    for (const std::string& name : neighbours) {
        EXPECT_EQ(read_file(folder.file(name)), bytes_of("keep " + name)) << name;
    }
    EXPECT_EQ(folder.names().size(), neighbours.size() + 1);
}

TEST(ReplaceFile, ANameThatCannotBeAFileIsRefusedWithNothingWritten) {
    TempFolder folder;
    std::filesystem::create_directory(folder.path() / "taken");
    const std::vector<std::string> paths = {folder.file("taken"), folder.file("no-folder/x.ini")};
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        const ReplaceResult result = replace_file(path.c_str(), writes("x"));
        EXPECT_EQ(result.status, ReplaceStatus::cannot_create);
        EXPECT_EQ(folder.names(), std::vector<std::string>{"taken"});
        EXPECT_TRUE(std::filesystem::is_empty(folder.path() / "taken"));
    }
}

TEST(ReplaceFile, TheContentsAreMeasuredWithoutWritingOnlyWhenAsked) {
    // A writer may be called more than once; on an ordinary save it writes once, for real.
    TempFolder folder;
    const std::string path = folder.file("once.ini");
    int calls = 0;
    bool measured = false;
    ASSERT_EQ(replace_file(path.c_str(),
                           [&](FileOutput& out) {
                               ++calls;
                               measured = measured || out.measuring();
                               out.write(std::string("abc"));
                           })
                  .status,
              ReplaceStatus::ok);
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(measured);
}

}  // namespace
