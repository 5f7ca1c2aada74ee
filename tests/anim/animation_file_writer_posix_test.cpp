// Write failures made real: a file-size limit makes writes fail as a full disk does.
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include "anim/animation_file.h"
#include "anim_file_bytes.h"
#include "support/temp_folder.h"

namespace {

using test_support::read_file;
using test_support::TempFolder;

// Lowers the process's file-size limit for one scope; writes past it fail with EFBIG.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_handler_);
    }

private:
    rlimit saved_{};
    void (*previous_handler_)(int) = nullptr;
};

std::vector<Frame*> white_frames(int count)
{
    std::vector<Frame*> frames;
    for (int i = 0; i < count; ++i) {
        Frame* frame = allocate_frame(600);
        std::memset(frame_tokens(frame), 255, 600);
        frames.push_back(frame);
    }
    return frames;
}

TEST(AnimationWriterFailure, AFullDiskLeavesTheOldFileWhole)
{
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

TEST(AnimationWriterFailure, FailureAtTheLastFlushIsReported)
{
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

TEST(AnimationWriterFailure, AReadOnlyFileIsNotReplaced)
{
    if (geteuid() == 0) {
        GTEST_SKIP() << "file permissions do not bind the superuser";
    }
    TempFolder folder;
    const std::string path = folder.file("locked.mpa");
    test_support::write_file(path, {1, 2, 3});
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    std::vector<Frame*> frames = white_frames(1);
    EXPECT_EQ(write_animation_file(path.c_str(), frames.data(), 1, 5).status,
              WriteStatus::cannot_create);
    EXPECT_EQ(read_file(path), (std::vector<uint8_t>{1, 2, 3}));
    free_frames(frames.data(), 1);
}

}  // namespace
