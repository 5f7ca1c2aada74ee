// The saver's checks on reading a file and the message each refusal shows.
#include "saver/core/saver_animation_file.h"

#include "fake_saver_platform.h"
#include "mpa_bytes.h"
#include "saver/core/saver_texts.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    FileBytes file;
    bool loads;
    std::vector<std::pair<const char*, const char*>> messages;
};

std::vector<uint8_t> white_frame() { return std::vector<uint8_t>(600, 255); }

std::vector<Case> cases() {
    FileBytes truncated;
    truncated.header(3).record(white_frame()).record(white_frame()).int32(600).int32(0);
    FileBytes count_cut;
    count_cut.header(2).record(white_frame());
    count_cut.bytes.push_back(0x58);
    FileBytes damaged;
    damaged.header(1).int32(76801);
    FileBytes negative_count;
    negative_count.header(1).int32(-4);
    FileBytes short_header;
    short_header.int32(24).int32(320).int32(240);
    return {
        {"good", FileBytes().header(2).record(white_frame()).record({}), true, {}},
        {"header size 20 goes on",
         FileBytes().header(1, 5, 0, 320, 240, 20).record(white_frame()),
         true,
         {{TEXT_HEADER_SIZE_WRONG, CAPTION_READ_ERROR}}},
        {"width 321",
         FileBytes().header(1, 5, 0, 321),
         false,
         {{TEXT_IMAGE_SIZE_WRONG, CAPTION_FATAL_ERROR}}},
        {"height 239",
         FileBytes().header(1, 5, 0, 320, 239),
         false,
         {{TEXT_IMAGE_SIZE_WRONG, CAPTION_FATAL_ERROR}}},
        {"4096 pages", FileBytes().header(4096), false, {{TEXT_TOO_MANY_PAGES, CAPTION_TROUBLE}}},
        {"negative pages", FileBytes().header(-1), false, {{TEXT_BAD_PAGE_COUNT, CAPTION_TROUBLE}}},
        {"older version",
         FileBytes().header(1, 5, -1),
         false,
         {{TEXT_VERSION_UNSUPPORTED, CAPTION_TROUBLE}}},
        {"unknown version",
         FileBytes().header(1, 5, 3).record(white_frame()),
         false,
         {{TEXT_VERSION_UNSUPPORTED, CAPTION_TROUBLE}}},
        {"cut inside frame 2", truncated, false, {{TEXT_READ_FAILED, CAPTION_TROUBLE}}},
        {"cut inside a count", count_cut, false, {{TEXT_READ_FAILED, CAPTION_TROUBLE}}},
        {"count above a picture", damaged, false, {{TEXT_READ_FAILED, CAPTION_TROUBLE}}},
        {"negative count", negative_count, false, {{TEXT_READ_FAILED, CAPTION_TROUBLE}}},
        {"shorter than a header", short_header, false, {{TEXT_READ_FAILED, CAPTION_TROUBLE}}},
        {"empty file", FileBytes(), false, {{TEXT_READ_FAILED, CAPTION_TROUBLE}}},
    };
}

TEST(SaverLoad, ChecksAndMessages) {
    for (const Case& c : cases()) {
        TempFile temp(c.file.bytes);
        FakeSaverPlatform platform;
        SaverAnimation animation;
        const bool loaded = load_saver_animation(temp.path().c_str(), &animation, platform, 9);
        EXPECT_EQ(loaded, c.loads) << c.name;
        ASSERT_EQ(platform.errors.size(), c.messages.size()) << c.name;
        for (size_t i = 0; i < c.messages.size(); ++i) {
            EXPECT_EQ(platform.errors[i].text, c.messages[i].first) << c.name;
            EXPECT_EQ(platform.errors[i].caption, c.messages[i].second) << c.name;
        }
        if (!loaded) {
            EXPECT_EQ(animation.frame_count, 0) << c.name;
        }
    }
}

TEST(SaverLoad, MissingFileFailsWithoutAMessage) {
    FakeSaverPlatform platform;
    SaverAnimation animation;
    EXPECT_FALSE(load_saver_animation("/nonexistent/mepu/anime.mpa", &animation, platform, 9));
    EXPECT_TRUE(platform.errors.empty());
}

TEST(SaverLoad, KeepsFramesAndSpeedAsStored) {
    FileBytes file;
    file.header(3, 24).record(white_frame()).record({}).record({5, 200});
    TempFile temp(file.bytes);
    FakeSaverPlatform platform;
    SaverAnimation animation;
    ASSERT_TRUE(load_saver_animation(temp.path().c_str(), &animation, platform, 9));
    EXPECT_EQ(animation.frame_count, 3);
    EXPECT_EQ(animation.frames_per_second, 24);
    EXPECT_EQ(animation.table[0]->token_count, 600);
    EXPECT_EQ(animation.table[1]->token_count, 0);
    ASSERT_EQ(animation.table[2]->token_count, 2);
    EXPECT_EQ(frame_tokens(animation.table[2])[1], 200);
}

TEST(SaverLoad, AFailedLoadAfterAGoodOneHoldsNoFrames) {
    FileBytes good;
    good.header(2).record(white_frame()).record(white_frame());
    FileBytes bad;
    bad.header(2).record(white_frame());
    TempFile good_file(good.bytes);
    TempFile bad_file(bad.bytes);
    FakeSaverPlatform platform;
    SaverAnimation animation;
    ASSERT_TRUE(load_saver_animation(good_file.path().c_str(), &animation, platform, 9));
    EXPECT_FALSE(load_saver_animation(bad_file.path().c_str(), &animation, platform, 9));
    EXPECT_EQ(animation.frame_count, 0);
}

}  // namespace
