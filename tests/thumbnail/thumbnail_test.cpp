#include "thumbnail/thumbnail.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/anim_file_bytes.h"
#include "support/temp_folder.h"

namespace {

using test_support::FileBytes;

// A frame whose only ink is one run of `ink` pixels starting at pixel `at`.
std::vector<uint8_t> ink_run_tokens(int32_t at, int32_t ink) {
    std::vector<uint8_t> tokens;
    auto paper = [&](int32_t count) {
        for (; count > 0; count -= MAX_RUN)
            tokens.push_back(static_cast<uint8_t>(127 + std::min(count, MAX_RUN)));
    };
    paper(at);
    tokens.push_back(static_cast<uint8_t>(ink - 1));
    paper(FRAME_PIXELS - at - ink);
    return tokens;
}

int32_t ink_count(const ThumbnailPicture& picture) {
    return static_cast<int32_t>(
        std::count(picture.pixels.begin(), picture.pixels.end(), CANVAS_INK));
}

struct PictureCase {
    const char* name;
    FileBytes file;
    int32_t first_ink_pixel;  // -1: a blank picture
    int32_t ink_pixels;
};

TEST(Thumbnail, ShowsTheFirstFrameWithInkElseTheFirstFrame) {
    const PictureCase cases[] = {
        {"first frame drawn",
         FileBytes().header(2).record(ink_run_tokens(100, 3)).record(ink_run_tokens(500, 7)), 100,
         3},
        {"blank frames before the drawing",
         FileBytes()
             .header(3)
             .record({})
             .record(test_support::white_tokens())
             .record(ink_run_tokens(FRAME_PIXELS - 5, 5)),
         FRAME_PIXELS - 5, 5},
        {"no frame has ink", FileBytes().header(2).record(test_support::white_tokens()).record({}),
         -1, 0},
        {"no frames at all", FileBytes().header(0), -1, 0},
    };
    for (const PictureCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = test_support::temp_dir() + "picture.mpa";
        test_support::write_file(path, c.file.bytes);
        ThumbnailPicture picture;
        ASSERT_EQ(make_thumbnail_picture(path.c_str(), &picture), ReadStatus::ok);
        ASSERT_EQ(picture.pixels.size(), static_cast<std::size_t>(FRAME_PIXELS));
        EXPECT_EQ(ink_count(picture), c.ink_pixels);
        if (c.first_ink_pixel >= 0) {
            EXPECT_EQ(picture.pixels[c.first_ink_pixel], CANVAS_INK);
        }
    }
}

TEST(Thumbnail, RefusedFilesGiveNoPicture) {
    const std::vector<uint8_t> tokens = ink_run_tokens(0, 10);
    const struct {
        FileBytes file;
        ReadStatus status;
    } cases[] = {
        {FileBytes().header(1).record(tokens).cut(40), ReadStatus::short_read},
        {FileBytes().header(1).int32(FRAME_PIXELS + 1), ReadStatus::damaged_record},
        {FileBytes().header(MAX_FRAMES), ReadStatus::too_many_pages},
        {FileBytes().header(1, 5, 0, 640, 480).record(tokens), ReadStatus::wrong_image_size},
        {FileBytes().header(1, 5, -1).raw(std::vector<uint8_t>(RAW_FRAME_BYTES, 0)),
         ReadStatus::raw_version_refused},
        {FileBytes().int32(24).int32(320), ReadStatus::header_too_short},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.status));
        const std::string path = test_support::temp_dir() + "refused.mpa";
        test_support::write_file(path, c.file.bytes);
        ThumbnailPicture picture;
        picture.pixels.assign(3, CANVAS_INK);
        EXPECT_EQ(make_thumbnail_picture(path.c_str(), &picture), c.status);
        EXPECT_TRUE(picture.pixels.empty());
    }
    ThumbnailPicture picture;
    EXPECT_EQ(make_thumbnail_picture((test_support::temp_dir() + "missing.mpa").c_str(), &picture),
              ReadStatus::cannot_open);
}

TEST(Thumbnail, SizeKeepsTheLongerSideWithinTheLimitAndGrowsByWholePixels) {
    const struct {
        int32_t longest;
        ThumbnailSize size;
    } cases[] = {
        {128, {128, 96}},  {256, {256, 192}}, {320, {320, 240}},
        {512, {320, 240}}, {640, {640, 480}}, {1024, {960, 720}},
        {1, {1, 1}},       {0, {0, 0}},       {-5, {0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.longest);
        const ThumbnailSize size = thumbnail_size(c.longest);
        EXPECT_EQ(size.width, c.size.width);
        EXPECT_EQ(size.height, c.size.height);
    }
}

}  // namespace
