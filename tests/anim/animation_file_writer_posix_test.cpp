// Saving as the user meets it on POSIX: write failures made real (a file-size limit makes writes
// fail as a full disk does), permissions and links kept.
#include <gtest/gtest.h>

#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "../file_replace/child_process.h"
#include "support/file_size_limit.h"
#include "anim/animation_file.h"
#include "support/anim_file_bytes.h"
#include "support/temp_folder.h"

namespace {

using test_support::FileSizeLimit;
using test_support::read_file;
using test_support::TempFolder;

std::vector<Frame*> white_frames(int count) {
    std::vector<Frame*> frames;
    for (int i = 0; i < count; ++i) {
        Frame* frame = allocate_frame(600);
        std::memset(frame_tokens(frame), 255, 600);
        frames.push_back(frame);
    }
    return frames;
}

TEST(AnimationWriterFailure, AFullDiskLeavesTheOldFileWhole) {
    TempFolder folder;
    const std::string path = folder.file("work.mpa");
    const std::vector<uint8_t> previous_work(3000, 0x5A);
    test_support::write_file(path, previous_work);
    std::vector<Frame*> frames = white_frames(200);  // about 120 kB
    WriteResult result;
    {
        const FileSizeLimit limit(16 * 1024);
        result = write_animation_file(path.c_str(), frames.data(), 200, 5);
    }
    EXPECT_EQ(result.status, WriteStatus::write_failed);
    EXPECT_LT(result.frames_written, 200);
    EXPECT_EQ(read_file(path), previous_work);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"work.mpa"});
    free_frames(frames.data(), 200);
}

TEST(AnimationWriterFailure, FailureAtTheLastFlushIsReported) {
    // Everything fits the stdio buffer, so only the flush at the end can fail.
    TempFolder folder;
    const std::string path = folder.file("small.mpa");
    std::vector<Frame*> frames = white_frames(1);
    WriteResult result;
    {
        const FileSizeLimit limit(100);
        result = write_animation_file(path.c_str(), frames.data(), 1, 5);
    }
    EXPECT_EQ(result.status, WriteStatus::write_failed);
    EXPECT_TRUE(folder.names().empty());
    free_frames(frames.data(), 1);
}

TEST(AnimationWriterFailure, AReadOnlyFileIsNotReplaced) {
    TempFolder folder;
    ASSERT_EQ(::chmod(folder.path().c_str(), 0777), 0);
    const std::string path = folder.file("locked.mpa");
    test_support::write_file(path, {1, 2, 3});
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
    std::vector<Frame*> frames = white_frames(1);
    // Checked as a user whom the permissions bind.
    EXPECT_CHILD_CHECK([&]() -> std::string {
        const std::string dropped = file_replace_test::drop_privileges();
        if (!dropped.empty()) {
            return dropped;
        }
        const WriteStatus status = write_animation_file(path.c_str(), frames.data(), 1, 5).status;
        return status == WriteStatus::cannot_create ? "" : "not refused";
    });
    EXPECT_EQ(read_file(path), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(folder.names(), std::vector<std::string>{"locked.mpa"});
    free_frames(frames.data(), 1);
}

TEST(AnimationWriter, SavingThroughALinkKeepsTheLinkAndThePrivateFile) {
    TempFolder folder;
    std::filesystem::create_directory(folder.path() / "works");
    const std::string real = folder.file("works/walk.mpa");
    test_support::write_file(real, std::vector<uint8_t>(100, 0x11));
    ASSERT_EQ(::chmod(real.c_str(), 0600), 0);
    const std::string link = folder.file("walk.mpa");
    std::filesystem::create_symlink("works/walk.mpa", link);
    std::vector<Frame*> frames = white_frames(2);
    ASSERT_EQ(write_animation_file(link.c_str(), frames.data(), 2, 7).status, WriteStatus::ok);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(read_file(real).size(), 24u + 2 * 604u);
    struct stat info {};
    ASSERT_EQ(::stat(real.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(folder.names().size(), 2u);
    free_frames(frames.data(), 2);
}

}  // namespace
