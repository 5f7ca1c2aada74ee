// Playback on the scripted host's virtual clock (each tick_count call advances it by 1 ms), with
// the buttons held or not for the whole run; pauses and stops in mid-run are driven by scripts.
#include "editor/commands.h"
#include "editor/playback.h"
#include "frame_ops_test_support.h"

namespace {

using PlaybackTest = LetteredFramesFixture;

TEST(FramePeriod, IsOneSecondDividedBySpeedRoundedDown) {
    struct Case {
        int speed;
        uint32_t period;
    };
    const Case cases[] = {{1, 1000},
                          {5, 200},
                          {7, 142},
                          {12, 83},
                          {60, 16},
                          // Never from the dialog; a damaged setting must not divide by zero.
                          {0, 200},
                          {-3, 200}};
    for (const Case& c : cases) {
        EXPECT_EQ(frame_period_ms(c.speed), c.period) << "speed " << c.speed;
    }
}

TEST_F(PlaybackTest, EachFrameFollowsThePreviousOneByOnePeriod) {
    // The first reading of the clock starts the run; every later frame is released exactly one
    // period after the one before it.
    struct Case {
        int speed;
        const char* frames;
    };
    const Case cases[] = {{7, "A"}, {7, "ABC"}, {60, "ABCD"}, {1, "AB"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frames);
        set_frames(c.frames, 0);
        animation().speed = c.speed;
        const uint32_t start = script_host_clock();
        const int presents = script_host_present_count();
        play_from_start();
        const int count = animation().frame_count;
        EXPECT_EQ(script_host_clock() - start, 1 + count * frame_period_ms(c.speed));
        EXPECT_EQ(script_host_present_count() - presents, count);
        EXPECT_EQ(animation().current_frame, count - 1);
        EXPECT_TRUE(canvas_shows(c.frames[count - 1]));
    }
}

TEST_F(PlaybackTest, ShowsItsStatusLinesWithTheFrameBeingPlayed) {
    set_frames("ABC", 1);
    play_from_start();
    const std::string expected = utf8(
        u8"現在､2コマ目を再生中\n"
        u8"毎秒5コマ\n"
        u8"全3コマ\n"
        u8"マウス右ボタンで再生中止､左ボタンで一時停止\n");
    EXPECT_EQ(script_host_text().substr(0, expected.size()), expected);
}

TEST_F(PlaybackTest, RightButtonHeldStopsOnTheFirstFrameShown) {
    set_frames("ABC", 2);
    script_host_press(PointerButton::right);
    play_frames(1);
    EXPECT_EQ(animation().current_frame, 1);
    EXPECT_TRUE(canvas_shows('B'));
    EXPECT_EQ(script_host_present_count(), 1 + 1);  // create_screen presents once
}

TEST_F(PlaybackTest, ChosenFrameIsUsedAsAZeroBasedStart) {
    struct Case {
        int current;
        int value;  // -1 cancels
        int expected_current;
        int expected_presents;
    };
    const Case cases[] = {
        {0, 1, 2, 2},  // frames 1 and 2
        {2, 3, 2, 0},  // the largest choice shows nothing and leaves the last frame current
        {1, -1, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        set_frames("ABC", c.current);
        c.value < 0 ? script_host_queue_value_cancel() : script_host_queue_value(c.value);
        const int presents = script_host_present_count();
        play_from_chosen_frame();
        EXPECT_EQ(animation().current_frame, c.expected_current);
        EXPECT_EQ(script_host_present_count() - presents, c.expected_presents);
    }
    EXPECT_TRUE(logged("value 1..3 start 0"));
}

TEST_F(PlaybackTest, LoopEndsAtOnceWhileTheRightButtonIsHeld) {
    set_frames("AB", 1);
    script_host_press(PointerButton::right);
    const int presents = script_host_present_count();
    play_loop();
    EXPECT_EQ(script_host_present_count(), presents);
    EXPECT_EQ(animation().current_frame, 1);
}

TEST_F(PlaybackTest, SpeedDialogOffersOneToSixty) {
    set_speed();
    EXPECT_EQ(animation().speed, 5);
    script_host_queue_value(7);
    set_speed();
    EXPECT_EQ(animation().speed, 7);
    const std::vector<std::string> expected = {"value 1..60 start 5 -> cancel",
                                               "value 1..60 start 5 -> 7"};
    EXPECT_EQ(script_host_messages(), expected);
}

}  // namespace
