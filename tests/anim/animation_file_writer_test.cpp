#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "anim/animation_file.h"
#include "support/anim_file_bytes.h"
#include "support/temp_folder.h"

namespace {

using test_support::FileBytes;
using test_support::read_file;
using test_support::TempFolder;

// Owns frames built from token lists.
struct Frames {
    std::vector<Frame*> frames;
    explicit Frames(const std::vector<std::vector<uint8_t>>& token_lists) {
        for (const auto& tokens : token_lists) {
            Frame* frame = allocate_frame(static_cast<int32_t>(tokens.size()));
            if (!tokens.empty()) {
                std::memcpy(frame_tokens(frame), tokens.data(), tokens.size());
            }
            frames.push_back(frame);
        }
    }
    ~Frames() { free_frames(frames.data(), static_cast<int32_t>(frames.size())); }
    int32_t count() const { return static_cast<int32_t>(frames.size()); }
};

TEST(AnimationWriter, NewAnimationIsTwentyEightBytes) {
    TempFolder folder;
    const Frames frames(std::vector<std::vector<uint8_t>>(1));
    const std::string path = folder.file("anime.mpa");
    const WriteResult result = write_animation_file(path.c_str(), frames.frames.data(), 1, 5);
    EXPECT_EQ(result.status, WriteStatus::ok);
    EXPECT_EQ(result.frames_written, 1);
    const std::vector<uint8_t> expected = {0x18, 0, 0, 0, 0x40, 1, 0, 0, 0xF0, 0, 0, 0, 1, 0,
                                           0,    0, 5, 0, 0,    0, 0, 0, 0,    0, 0, 0, 0, 0};
    EXPECT_EQ(read_file(path), expected);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"anime.mpa"});
}

TEST(AnimationWriter, WritesFramesByteForByteAndReadsBack) {
    TempFolder folder;
    const std::vector<uint8_t> odd = {0, 128, 3};
    const Frames frames({test_support::white_tokens(), {}, test_support::half_black_tokens(), odd});
    const std::string path = folder.file("four.mpa");
    ASSERT_EQ(write_animation_file(path.c_str(), frames.frames.data(), 4, 24).status,
              WriteStatus::ok);
    const FileBytes expected = FileBytes()
                                   .header(4, 24)
                                   .record(test_support::white_tokens())
                                   .record({})
                                   .record(test_support::half_black_tokens())
                                   .record(odd);
    EXPECT_EQ(read_file(path), expected.bytes);
    // A white frame's record is 604 bytes.
    EXPECT_EQ(read_file(path).size(), 24u + 604u + 4u + 604u + 7u);
}

TEST(AnimationWriter, ReplacesAnExistingFile) {
    TempFolder folder;
    const std::string path = folder.file("old.mpa");
    test_support::write_file(path, std::vector<uint8_t>(5000, 0xAA));
    const Frames frames(std::vector<std::vector<uint8_t>>(2));
    EXPECT_EQ(write_animation_file(path.c_str(), frames.frames.data(), 2, 5).status,
              WriteStatus::ok);
    EXPECT_EQ(read_file(path), FileBytes().header(2).record({}).record({}).bytes);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"old.mpa"});
}

TEST(AnimationWriter, MissingFolderCannotBeCreated) {
    TempFolder folder;
    const Frames frames(std::vector<std::vector<uint8_t>>(1));
    const std::string path = folder.file("no-such-folder/x.mpa");
    const WriteResult result = write_animation_file(path.c_str(), frames.frames.data(), 1, 5);
    EXPECT_EQ(result.status, WriteStatus::cannot_create);
    EXPECT_EQ(result.frames_written, 0);
    EXPECT_TRUE(folder.names().empty());
}

TEST(AnimationWriter, AFolderInThePlaceOfTheFileIsLeftAlone) {
    TempFolder folder;
    std::filesystem::create_directory(folder.path() / "taken.mpa");
    const Frames frames(std::vector<std::vector<uint8_t>>(1));
    const std::string path = folder.file("taken.mpa");
    EXPECT_NE(write_animation_file(path.c_str(), frames.frames.data(), 1, 5).status,
              WriteStatus::ok);
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "taken.mpa"));
    EXPECT_EQ(folder.names(), std::vector<std::string>{"taken.mpa"});
}

}  // namespace
