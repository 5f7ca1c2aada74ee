// Playing a file: frame order, timing, the picture and the implementer's cases.
#include "saver/core/animation_saver.h"

#include "fake_saver_platform.h"
#include "mpa_bytes.h"
#include "saver/core/saver_picture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::vector<uint8_t> all_white() { return std::vector<uint8_t>(PICTURE_PIXELS, PICTURE_WHITE); }

// Builds a file whose frame i shows leads[i] black pixels at the start of the top row.
FileBytes file_with_leads(const std::vector<int>& leads, int32_t speed) {
    FileBytes file;
    file.header(int32_t(leads.size()), speed);
    for (int lead : leads) file.record(tokens_with_black_lead(lead));
    return file;
}

struct Played {
    std::vector<ShownPicture> shown;
    std::vector<ShownError> errors;
    bool created = false;
};

// Creates a full-screen saver for the file, plays at its speed and stops after `limit` ms.
Played play(const FileBytes& file, uint32_t limit) {
    TempFile temp(file.bytes);
    FakeSaverPlatform platform;
    MemorySettingsStore settings;
    AnimationSaver saver(platform, settings, temp.path());
    Played result;
    result.created = saver.create(NO_WINDOW);
    if (result.created) {
        saver.set_interval(saver_tick_interval(saver.frames_per_second()));
        platform.at(platform.clock + limit, [&] { platform.destroy_window(saver.window()); });
        saver.run();
    }
    result.shown = platform.shown;
    result.errors = platform.errors;
    return result;
}

TEST(AnimationSaver, ShowsWhiteThenFramesOneTwoZeroEvery83MsAtSpeed12) {
    const Played played = play(file_with_leads({10, 20, 30}, 12), 83 * 7 + 40);
    ASSERT_TRUE(played.created);
    ASSERT_EQ(played.shown.size(), 8u);
    EXPECT_EQ(played.shown[0].top_first, all_white());
    std::vector<int> leads;
    for (size_t i = 1; i < played.shown.size(); ++i) {
        leads.push_back(black_lead(played.shown[i].top_first));
        // The white picture is shown at creation, a moment before the interval starts.
        const uint32_t gap = played.shown[i].time - played.shown[i - 1].time;
        if (i == 1) {
            EXPECT_GE(gap, 83u);
        } else {
            EXPECT_EQ(gap, 83u) << i;
        }
    }
    EXPECT_EQ(leads, (std::vector<int>{20, 30, 10, 20, 30, 10, 20}));
}

TEST(AnimationSaver, DecodedPictureIsTheFrameUprightPixelForPixel) {
    // Black top-left corner pixel and black bottom-right pixel; white between.
    std::vector<uint8_t> tokens{0};
    for (int left = PICTURE_PIXELS - 2; left > 0; left -= 128) {
        tokens.push_back(uint8_t(127 + std::min(left, 128)));
    }
    tokens.push_back(0);
    FileBytes whole;
    whole.header(1).record(tokens);
    const Played played = play(whole, 250);
    ASSERT_GE(played.shown.size(), 2u);
    std::vector<uint8_t> expected = all_white();
    expected.front() = PICTURE_BLACK;
    expected.back() = PICTURE_BLACK;
    EXPECT_EQ(played.shown[1].top_first, expected);
}

TEST(AnimationSaver, OneFrameShowsFrameZeroOnEveryTick) {
    const Played played = play(file_with_leads({7}, 10), 350);
    ASSERT_EQ(played.shown.size(), 4u);
    for (size_t i = 1; i < played.shown.size(); ++i)
        EXPECT_EQ(black_lead(played.shown[i].top_first), 7);
}

TEST(AnimationSaver, FramesThatDoNotFillThePictureLeaveNothingOfTheFrameBefore) {
    struct Case {
        const char* name;
        std::vector<uint8_t> second;
        int expected_lead;
        int64_t expected_black;
    } cases[] = {
        {"empty record", {}, 0, 0},
        {"short record", {4}, 5, 5},
        {"runs past the end", std::vector<uint8_t>(700, 127), 320, PICTURE_PIXELS},
    };
    for (const Case& c : cases) {
        FileBytes file;
        // The first frame is all black, the one shown just before.
        file.header(2, 10).record(c.second).record(std::vector<uint8_t>(600, 127));
        const Played played = play(file, 250);
        ASSERT_EQ(played.shown.size(), 3u) << c.name;
        const auto& picture = played.shown[2].top_first;  // frame 0 after frame 1
        EXPECT_EQ(black_lead(picture), c.expected_lead) << c.name;
        EXPECT_EQ(std::count(picture.begin(), picture.end(), PICTURE_BLACK), c.expected_black)
            << c.name;
    }
}

TEST(AnimationSaver, AnimationWithoutFramesStaysWhite) {
    FileBytes file;
    file.header(0, 10);
    const Played played = play(file, 500);
    ASSERT_TRUE(played.created);
    ASSERT_EQ(played.shown.size(), 1u);
    EXPECT_EQ(played.shown[0].top_first, all_white());
}

TEST(AnimationSaver, SpeedGivesTheInterval) {
    struct Case {
        int32_t speed;
        uint32_t interval;
    } cases[] = {{1, 1000}, {5, 200},  {12, 83}, {60, 16},
                 {1000, 1}, {5000, 1}, {0, 200}, {-3, 200}};
    for (const Case& c : cases) {
        FileBytes file = file_with_leads({1}, c.speed);
        TempFile temp(file.bytes);
        FakeSaverPlatform platform;
        MemorySettingsStore settings;
        AnimationSaver saver(platform, settings, temp.path());
        ASSERT_TRUE(saver.create(NO_WINDOW));
        EXPECT_EQ(saver_tick_interval(saver.frames_per_second()), c.interval) << c.speed;
    }
}

TEST(AnimationSaver, CreationFailsWithoutAPicture) {
    TempFile temp(file_with_leads({1}, 5).bytes);
    FakeSaverPlatform platform;
    platform.picture_creation_fails = true;
    MemorySettingsStore settings;
    AnimationSaver saver(platform, settings, temp.path());
    EXPECT_FALSE(saver.create(NO_WINDOW));
}

TEST(AnimationSaver, CloseReleasesThePictureAndEndsTheLoop) {
    TempFile temp(file_with_leads({3, 4}, 5).bytes);
    FakeSaverPlatform platform;
    MemorySettingsStore settings;
    AnimationSaver saver(platform, settings, temp.path());
    ASSERT_TRUE(saver.create(NO_WINDOW));
    saver.set_interval(200);
    platform.at(platform.clock + 450, [&] { platform.send(SAVER_MSG_KEY_DOWN); });
    EXPECT_EQ(saver.run(), 0);
    EXPECT_EQ(saver.picture(), nullptr);
    EXPECT_EQ(saver.window(), NO_WINDOW);
    // A paint or a late tick after the close draws nothing and does not fail.
    const size_t shown = platform.shown.size();
    saver.on_timer();
    saver.on_paint(PaintContext{});
    EXPECT_EQ(platform.shown.size(), shown);
}

}  // namespace
