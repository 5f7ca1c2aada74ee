// The base window's input rules and tick loop on a fake clock.
#include "saver/core/saver_window.h"

#include "fake_saver_platform.h"
#include "saver/core/saver_texts.h"

#include <gtest/gtest.h>

namespace {

// Counts its ticks and the times they ran.
class TickCounter : public SaverWindow {
public:
    using SaverWindow::SaverWindow;
    // Records the time each tick ran (the next one is due an interval later).
    void on_timer() override {
        ticks.push_back(next_tick() - interval());
        if (ticks.size() == stop_after) platform_->destroy_window(window());
    }
    void on_close() override { ++closes; }
    std::vector<uint32_t> ticks;
    size_t stop_after = 0;
    int closes = 0;
    FakeSaverPlatform* platform_ = nullptr;
};

struct SaverWindowTest : testing::Test {
    FakeSaverPlatform platform;
    MemorySettingsStore settings;
    TickCounter saver{platform, settings};

    void SetUp() override { saver.platform_ = &platform; }
    void require_password(uint32_t value = 1) {
        settings.set_number(DESKTOP_KEY, VALUE_USE_PASSWORD, value);
    }
    // Runs until the saver closes itself, or stops it from outside after `limit` ms.
    void run_for(uint32_t limit) {
        platform.at(platform.clock + limit, [this] { platform.destroy_window(saver.window()); });
        saver.run();
    }
};

TEST_F(SaverWindowTest, CreatesFullScreenWithTheStandardClass) {
    ASSERT_TRUE(saver.create(NO_WINDOW));
    EXPECT_EQ(platform.created_class, SAVER_CLASS_NAME);
    EXPECT_EQ(platform.created_host, NO_WINDOW);
    EXPECT_FALSE(saver.is_preview());
    ASSERT_TRUE(saver.create(5, "OtherClass"));
    EXPECT_EQ(platform.created_class, "OtherClass");
    EXPECT_EQ(platform.created_host, 5);
}

TEST_F(SaverWindowTest, CreationFailsWhenTheClassCannotBeRegistered) {
    platform.class_registration_fails = true;
    EXPECT_FALSE(saver.create(NO_WINDOW));
    EXPECT_FALSE(platform.window_alive);
}

TEST_F(SaverWindowTest, PasswordIsRequiredOnlyForANonZeroNumberAndNeverInPreview) {
    struct Case {
        bool set;
        bool as_number;
        uint32_t value;
        WindowHandle host;
        bool required;
    } cases[] = {
        {false, true, 0, NO_WINDOW, false}, {true, true, 0, NO_WINDOW, false},
        {true, true, 1, NO_WINDOW, true},   {true, true, 7, NO_WINDOW, true},
        {true, false, 1, NO_WINDOW, false}, {true, true, 1, 1234, false},
    };
    for (const Case& c : cases) {
        MemorySettingsStore store;
        if (c.set && c.as_number) store.set_number(DESKTOP_KEY, VALUE_USE_PASSWORD, c.value);
        if (c.set && !c.as_number) store.set_string(DESKTOP_KEY, VALUE_USE_PASSWORD, "1");
        FakeSaverPlatform fake;
        SaverWindow window(fake, store);
        ASSERT_TRUE(window.create(c.host));
        EXPECT_EQ(window.password_is_required(), c.required) << c.value << " host " << c.host;
    }
}

TEST_F(SaverWindowTest, MouseMoveWithoutChangeDoesNotEndButOnePixelDoes) {
    ASSERT_TRUE(saver.create(NO_WINDOW));
    platform.at(1010, [this] { platform.send(SAVER_MSG_MOUSE_MOVE); });
    platform.at(1020, [this] {
        platform.cursor.x += 1;
        platform.send(SAVER_MSG_MOUSE_MOVE);
    });
    run_for(5000);
    EXPECT_EQ(saver.closes, 1);
    EXPECT_GE(platform.clock, 1020u);
    EXPECT_LT(platform.clock, 1100u);
}

TEST_F(SaverWindowTest, KeysAndButtonsEndTheFullScreenSaver) {
    for (uint32_t message :
         {SAVER_MSG_KEY_DOWN, SAVER_MSG_LEFT_BUTTON_DOWN, SAVER_MSG_RIGHT_BUTTON_DOWN}) {
        FakeSaverPlatform fake;
        TickCounter window(fake, settings);
        window.platform_ = &fake;
        ASSERT_TRUE(window.create(NO_WINDOW));
        fake.send(message);
        EXPECT_EQ(window.run(), 0);
        EXPECT_EQ(window.closes, 1) << message;
        EXPECT_EQ(window.window(), NO_WINDOW);
    }
}

TEST_F(SaverWindowTest, PreviewIgnoresInputAndNeverPrompts) {
    require_password();
    ASSERT_TRUE(saver.create(1234));
    platform.at(1010, [this] {
        platform.cursor.x += 50;
        platform.send(SAVER_MSG_MOUSE_MOVE);
        platform.send(SAVER_MSG_KEY_DOWN);
        platform.send(SAVER_MSG_LEFT_BUTTON_DOWN);
    });
    run_for(100);
    EXPECT_EQ(saver.closes, 0);
    EXPECT_EQ(platform.prompts, 0);
    EXPECT_TRUE(platform.cursor_calls.empty());
}

TEST_F(SaverWindowTest, CancelledPromptResumesAndALaterInputPromptsAgain) {
    require_password();
    platform.prompt_answers = {2, 1};
    ASSERT_TRUE(saver.create(NO_WINDOW));
    saver.set_interval(10);
    platform.at(1050, [this] {
        platform.cursor.y += 1;
        platform.send(SAVER_MSG_MOUSE_MOVE);
    });
    // The cancelled prompt took the moved position as the new reference: the same position
    // again is no input, but a key is.
    platform.at(1100, [this] { platform.send(SAVER_MSG_MOUSE_MOVE); });
    platform.at(1150, [this] { platform.send(SAVER_MSG_KEY_DOWN); });
    run_for(5000);
    EXPECT_EQ(platform.prompts, 2);
    EXPECT_EQ(saver.closes, 1);
    EXPECT_EQ(platform.cursor_calls, (std::vector<bool>{true, false, true, false}));
    // Ticks went on between the two prompts.
    size_t between = 0;
    for (uint32_t t : saver.ticks) between += (t > 1060 && t < 1150);
    EXPECT_GE(between, 5u);
}

TEST_F(SaverWindowTest, InputBeforeThePostedCloseArrivesDoesNotPromptAgain) {
    require_password();
    platform.prompt_answers = {1, 1};
    ASSERT_TRUE(saver.create(NO_WINDOW));
    platform.at(1010, [this] {
        platform.send(SAVER_MSG_KEY_DOWN);
        platform.cursor.x += 3;
        platform.send(SAVER_MSG_MOUSE_MOVE);
    });
    run_for(5000);
    EXPECT_EQ(platform.prompts, 1);
    EXPECT_EQ(saver.closes, 1);
}

// A close asked for from outside the saver (the window manager, Alt+F4) is one more input.
TEST_F(SaverWindowTest, CloseRequestGoesThroughThePassword) {
    struct Case {
        bool password;
        WindowHandle host;
        std::vector<int> answers;
        int prompts;
        bool closed;
    } cases[] = {
        {false, NO_WINDOW, {}, 0, true},
        {true, NO_WINDOW, {1}, 1, true},
        {true, NO_WINDOW, {2}, 1, false},
        {true, 1234, {}, 0, true},
    };
    for (const Case& c : cases) {
        FakeSaverPlatform fake;
        MemorySettingsStore store;
        if (c.password) store.set_number(DESKTOP_KEY, VALUE_USE_PASSWORD, 1);
        TickCounter window(fake, store);
        window.platform_ = &fake;
        fake.prompt_answers = c.answers;
        ASSERT_TRUE(window.create(c.host));
        window.handle_message(window.window(), SAVER_MSG_CLOSE, 0, 0);
        EXPECT_EQ(fake.prompts, c.prompts) << c.password << " host " << c.host;
        EXPECT_EQ(window.closes, c.closed ? 1 : 0) << c.password << " host " << c.host;
        EXPECT_EQ(fake.window_alive, !c.closed);
    }
}

TEST_F(SaverWindowTest, CancelledCloseRequestKeepsPlayingAndALaterOnePromptsAgain) {
    require_password();
    platform.prompt_answers = {2, 1};
    ASSERT_TRUE(saver.create(NO_WINDOW));
    saver.set_interval(10);
    // A second request while the prompt is open does not open a second prompt.
    platform.while_prompting = [this] {
        saver.handle_message(saver.window(), SAVER_MSG_CLOSE, 0, 0);
        platform.while_prompting = nullptr;
    };
    platform.at(1050, [this] { platform.send(SAVER_MSG_CLOSE); });
    platform.at(1150, [this] { platform.send(SAVER_MSG_CLOSE); });
    run_for(5000);
    EXPECT_EQ(platform.prompts, 2);
    EXPECT_EQ(saver.closes, 1);
    size_t between = 0;
    for (uint32_t t : saver.ticks) between += (t > 1060 && t < 1150);
    EXPECT_GE(between, 5u);
}

TEST_F(SaverWindowTest, TicksCountFromWhenTheTickRan) {
    ASSERT_TRUE(saver.create(NO_WINDOW));
    const uint32_t start = platform.clock;
    saver.set_interval(83);
    // A stall of 200 ms in the middle: lateness is not made up by quicker ticks.
    platform.at(start + 300, [this] { platform.clock += 200; });
    run_for(1000);
    ASSERT_GE(saver.ticks.size(), 5u);
    EXPECT_EQ(saver.ticks[0], start + 83);
    for (size_t i = 1; i < saver.ticks.size(); ++i) {
        EXPECT_GE(saver.ticks[i] - saver.ticks[i - 1], 83u) << i;
    }
    bool saw_stall = false;
    for (size_t i = 1; i < saver.ticks.size(); ++i) {
        const uint32_t gap = saver.ticks[i] - saver.ticks[i - 1];
        saw_stall |= gap > 200;
        if (gap <= 200) {
            EXPECT_EQ(gap, 83u);
        }
    }
    EXPECT_TRUE(saw_stall);
}

TEST_F(SaverWindowTest, BetweenTicksTheLoopSleepsForTheTimeLeftAndInputWakesIt) {
    ASSERT_TRUE(saver.create(NO_WINDOW));
    const uint32_t start = platform.clock;
    saver.set_interval(83);
    // A key in the middle of the fourth wait ends the saver then, not when that frame is due.
    const uint32_t key_time = start + 3 * 83 + 40;
    platform.at(key_time, [this] { platform.send(SAVER_MSG_KEY_DOWN); });
    saver.run();
    EXPECT_EQ(saver.ticks, (std::vector<uint32_t>{start + 83, start + 166, start + 249}));
    EXPECT_EQ(saver.closes, 1);
    EXPECT_LE(platform.clock, key_time + 2);
    // One wait per frame (plus the one the key cut short), each for the whole time left: the
    // loop never spins on the clock.
    ASSERT_EQ(platform.timed_waits.size(), 4u);
    for (uint32_t wait : platform.timed_waits) {
        EXPECT_GE(wait, 81u);
        EXPECT_LE(wait, 83u);
    }
}

TEST_F(SaverWindowTest, TimerWrappingRoundKeepsTheInterval) {
    platform.clock = 0xFFFFFF00u;
    ASSERT_TRUE(saver.create(NO_WINDOW));
    saver.set_interval(100);
    saver.stop_after = 8;
    saver.run();
    ASSERT_EQ(saver.ticks.size(), 8u);
    for (size_t i = 1; i < saver.ticks.size(); ++i) {
        EXPECT_GE(uint32_t(saver.ticks[i] - saver.ticks[i - 1]), 100u) << i;
    }
}

TEST_F(SaverWindowTest, NoIntervalWaitsForMessagesWithoutTicking) {
    ASSERT_TRUE(saver.create(NO_WINDOW));
    platform.at(1500, [this] { platform.send(SAVER_MSG_KEY_DOWN); });
    saver.run();
    EXPECT_TRUE(saver.ticks.empty());
    EXPECT_GE(platform.waits, 1);
    EXPECT_EQ(saver.closes, 1);
}

}  // namespace
