// Animations converted to GIF files and read back with giflib: the pictures, their timing and
// the safety of the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "convert/convert_animation.h"
#include "convert/converter_texts.h"
#include "convert_test_support.h"
#include "gif_decoding.h"

namespace {

using Records = std::vector<std::vector<uint8_t>>;

Records test_frames(std::initializer_list<int> seeds) {
    Records records;
    for (int seed : seeds) records.push_back(picture_tokens(test_picture(seed)));
    return records;
}

Records distinct_frames(int count) {
    Records records;
    for (int i = 0; i < count; ++i) records.push_back(picture_tokens(test_picture(i)));
    return records;
}

class GifFile : public testing::Test {
protected:
    GifFile() { state->output_kind = OutputKind::gif_animation; }
    std::string gif_path() const { return folder.file("out.gif"); }
    int convert(const Records& records, int speed, int scale = 1, bool loop = true) {
        MpaHeader header;
        header.speed = speed;
        write_bytes(folder.path() / "in.mpa", mpa_bytes(header, records));
        choose_files(state.get(), folder.file("in.mpa"), gif_path());
        state->gif.scale = scale;
        state->gif.loop_forever = loop;
        return convert_animation(state.get(), recorder.front());
    }

    ScratchFolder folder;
    std::unique_ptr<ConverterState> state = std::make_unique<ConverterState>();
    RecordingFront recorder;
};

struct TimingCase {
    const char* name;
    Records frames;
    int speed;
    int scale;
    bool loop;
};

TEST_F(GifFile, EveryPictureIsTheFrameDueAtItsTimeAndTheLoopKeepsItsLength) {
    const TimingCase cases[] = {
        {"12 fps", distinct_frames(24), 12, 1, true},
        {"60 fps, enlarged", distinct_frames(60), 60, 2, true},
        {"75 fps, odd hundredth at the end", distinct_frames(7), 75, 1, true},
        {"a frame repeated", test_frames({0, 1, 1, 1, 2}), 10, 3, true},
        {"an empty frame",
         {picture_tokens(test_picture(0)), {}, picture_tokens(test_picture(0))},
         5,
         4,
         false},
        {"one frame only", test_frames({3}), 1, 1, false},
        {"speed 0 plays as 5", test_frames({0, 1}), 0, 1, true},
        {"4095 frames in motion", moving_box_frames(4095), 30, 1, true},
    };
    for (const TimingCase& c : cases) {
        SCOPED_TRACE(c.name);
        const int speed = c.speed < 1 ? 5 : c.speed;
        const int count = static_cast<int>(c.frames.size());
        std::vector<std::vector<uint8_t>> expected;
        for (const auto& tokens : c.frames) expected.push_back(editor_picture(tokens, c.scale));
        ASSERT_EQ(convert(c.frames, c.speed, c.scale, c.loop), 0);
        const DecodedGif gif = decode_with_giflib(read_file(gif_path()));
        ASSERT_EQ(gif.error, "");
        EXPECT_EQ(gif.width, 320 * c.scale);
        EXPECT_EQ(gif.height, 240 * c.scale);
        EXPECT_EQ(gif.loops_forever, c.loop);
        EXPECT_TRUE(gif.all_kept);
        // The starts a player sees: every frame that shows something new, at its exact time; above
        // 50 frames per second one every 2 hundredths.
        std::vector<long> expected_starts;
        if (speed <= 50) {
            for (int k = 0; k < count; ++k)
                if (k == 0 ||
                    expected[static_cast<size_t>(k)] != expected[static_cast<size_t>(k - 1)])
                    expected_starts.push_back(frame_start(k, speed));
        } else {
            for (long at = 0; at + 2 <= frame_start(count, speed); at += 2)
                expected_starts.push_back(at);
        }
        std::vector<long> starts;
        long at = 0;
        for (const ShownPicture& picture : gif.pictures) {
            starts.push_back(at);
            EXPECT_GE(picture.delay, 2) << "at " << at;
            const int due = frame_due(at, speed, count);
            ASSERT_EQ(picture.ink, expected[static_cast<size_t>(due)])
                << "picture at " << at << " should be frame " << due;
            at += picture.delay;
        }
        EXPECT_EQ(starts, expected_starts);
        EXPECT_EQ(at, std::max(frame_start(count, speed), 2L));
    }
}

TEST_F(GifFile, AStillLongerThanOneDelayGoesOnInAnotherPicture) {
    // 700 equal frames at 1 fps: 70000 hundredths, more than one delay holds.
    ASSERT_EQ(convert(Records(700, picture_tokens(test_picture(2))), 1), 0);
    const DecodedGif gif = decode_with_giflib(read_file(gif_path()));
    ASSERT_EQ(gif.error, "");
    ASSERT_EQ(gif.pictures.size(), 2u);
    long total = 0;
    for (const ShownPicture& picture : gif.pictures) {
        EXPECT_EQ(picture.ink, editor_picture(picture_tokens(test_picture(2)), 1));
        total += picture.delay;
    }
    EXPECT_EQ(total, 70000);
}

TEST_F(GifFile, ProgressPerFrameThenTheOutcomeInTheStatusLine) {
    ASSERT_EQ(convert(test_frames({0, 1}), 5), 0);
    char done[64];
    std::snprintf(done, sizeof done, STATUS_GIF_DONE, 2);
    ASSERT_FALSE(recorder.statuses.empty());
    EXPECT_EQ(recorder.statuses.back(), done);
    char second[64];
    std::snprintf(second, sizeof second, STATUS_GIF_FRAME, 1);
    EXPECT_NE(std::find(recorder.statuses.begin(), recorder.statuses.end(), second),
              recorder.statuses.end());
}

TEST_F(GifFile, ARefusedAnimationKeepsTheOldGifAndSaysWhatBmpFilesWouldSay) {
    write_bytes(gif_path(), {'o', 'l', 'd'});
    struct Case {
        std::vector<uint8_t> animation;
        const char* text;
        const char* caption;
    };
    MpaHeader wide;
    wide.image_width = 321;
    MpaHeader raw;
    raw.storage_version = -1;
    std::vector<uint8_t> cut = mpa_of_test_pictures(2);
    cut.resize(cut.size() - 10);
    const Case cases[] = {
        {mpa_bytes(wide, {}), MSG_IMAGE_SIZE, CAPTION_FATAL},
        {mpa_bytes(raw, {}), MSG_OLD_VERSION, CAPTION_TROUBLE},
        {cut, MSG_READ_FAILED, CAPTION_TROUBLE},
    };
    for (const Case& c : cases) {
        recorder.errors.clear();
        write_bytes(folder.path() / "in.mpa", c.animation);
        choose_files(state.get(), folder.file("in.mpa"), gif_path());
        EXPECT_EQ(convert_animation(state.get(), recorder.front()), -1);
        ASSERT_EQ(recorder.errors.size(), 1u);
        EXPECT_EQ(recorder.errors[0].first, c.text);
        EXPECT_EQ(recorder.errors[0].second, c.caption);
        EXPECT_EQ(read_file(gif_path()), (std::vector<uint8_t>{'o', 'l', 'd'}));
    }
}

TEST_F(GifFile, AGoodAnimationReplacesTheOldGif) {
    write_bytes(gif_path(), {'o', 'l', 'd'});
    ASSERT_EQ(convert(test_frames({0}), 5), 0);
    EXPECT_EQ(decode_with_giflib(read_file(gif_path())).pictures.size(), 1u);
}

TEST_F(GifFile, AnUnwritablePlaceFailsInTheStatusLine) {
    write_bytes(folder.path() / "in.mpa", mpa_of_test_pictures(1));
    const std::string missing = (folder.path() / "missing" / "out.gif").string();
    choose_files(state.get(), folder.file("in.mpa"), missing);
    EXPECT_EQ(convert_animation(state.get(), recorder.front()), 1);
    ASSERT_FALSE(recorder.statuses.empty());
    EXPECT_EQ(recorder.statuses.back(), missing + STATUS_OPEN_ERROR);
}

TEST_F(GifFile, NoChoiceOfOutputNamesTheGif) {
    write_bytes(folder.path() / "in.mpa", mpa_of_test_pictures(1));
    choose_files(state.get(), folder.file("in.mpa"), "");
    EXPECT_EQ(convert_animation(state.get(), recorder.front()), -1);
    ASSERT_EQ(recorder.errors.size(), 1u);
    EXPECT_EQ(recorder.errors[0].first, MSG_NO_GIF_OUTPUT);
}

TEST_F(GifFile, NoFramesWritesNothing) {
    EXPECT_EQ(convert({}, 5), 0);
    EXPECT_FALSE(std::filesystem::exists(gif_path()));
    EXPECT_TRUE(recorder.statuses.empty());
}

}  // namespace
