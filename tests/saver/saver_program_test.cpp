// The program from its command line: which dialog or saver runs, for which window.
#include "saver/core/saver_program.h"

#include "fake_saver_platform.h"
#include "mpa_bytes.h"

#include <gtest/gtest.h>

namespace {

struct ProgramTest : testing::Test {
    FakeSaverPlatform platform;
    FakeSaverFront front;
    MemorySettingsStore store;
    FileBytes file = FileBytes().header(2, 10).record(tokens_with_black_lead(4)).record({});
    TempFile temp{file.bytes};

    int run(std::vector<const char*> args) {
        return run_saver_program(parse_command_line(int(args.size()), args.data()), platform, front,
                                 store);
    }
    void configure() { store.set_string(SAVER_SETTINGS_KEY, VALUE_LOAD_FILE, temp.path()); }
    void end_after(uint32_t ms, uint32_t message = SAVER_MSG_KEY_DOWN) {
        platform.at(platform.clock + ms, [this, message] {
            platform.cursor.x += 1;
            platform.send(message);
        });
    }
};

TEST_F(ProgramTest, SettingsOwners) {
    struct Case {
        std::vector<const char*> args;
        WindowHandle owner;
    } cases[] = {{{}, NO_WINDOW}, {{"/c:1234"}, 777}, {{"/x"}, 777}, {{"s"}, 777}};
    for (const Case& c : cases) {
        FakeSaverFront fresh;
        front = fresh;
        EXPECT_EQ(run(c.args), 0);
        ASSERT_EQ(front.settings_owners.size(), 1u);
        EXPECT_EQ(front.settings_owners[0], c.owner);
        EXPECT_FALSE(platform.window_alive);
    }
}

TEST_F(ProgramTest, ChangePasswordGetsTheParentFromTheCommandLine) {
    run({"/a", "4321"});
    run({"-a"});
    EXPECT_EQ(front.change_parents, (std::vector<WindowHandle>{4321, NO_WINDOW}));
    EXPECT_TRUE(front.settings_owners.empty());
}

TEST_F(ProgramTest, NoFileConfiguredOpensTheSettingsInsteadInBothModes) {
    for (std::vector<const char*> args : {std::vector<const char*>{"/s"}, {"/p", "55"}}) {
        FakeSaverFront fresh;
        front = fresh;
        store.set_string(SAVER_SETTINGS_KEY, VALUE_LOAD_FILE, "");
        run(args);
        EXPECT_EQ(front.settings_owners, (std::vector<WindowHandle>{777})) << args[0];
        EXPECT_TRUE(platform.created_class.empty());
    }
}

TEST_F(ProgramTest, FullScreenRunHidesTheCursorAndSwitchesTheInputMethodOff) {
    configure();
    end_after(350);
    EXPECT_EQ(run({"/s"}), 0);
    EXPECT_EQ(platform.created_host, NO_WINDOW);
    EXPECT_TRUE(platform.shown_window);
    EXPECT_EQ(platform.cursor_calls, (std::vector<bool>{false, true}));
    EXPECT_EQ(front.ime_calls, (std::vector<bool>{false, true}));
    // White, then a frame every 100 ms until the key.
    EXPECT_EQ(platform.shown.size(), 4u);
    EXPECT_FALSE(platform.window_alive);
}

TEST_F(ProgramTest, PreviewWithoutAHandleRunsLikeFullScreen) {
    configure();
    store.set_number(DESKTOP_KEY, VALUE_USE_PASSWORD, 1);
    store.set_string(DESKTOP_KEY, VALUE_PASSWORD, "pw");
    platform.prompt_answers = {1};
    end_after(50, SAVER_MSG_MOUSE_MOVE);
    run({"/p"});
    EXPECT_EQ(platform.created_host, NO_WINDOW);
    EXPECT_EQ(platform.prompts, 1);
    EXPECT_EQ(front.ime_calls, (std::vector<bool>{false, true}));
}

TEST_F(ProgramTest, PreviewLivesInTheHostUntilTheHostGoes) {
    configure();
    store.set_number(DESKTOP_KEY, VALUE_USE_PASSWORD, 1);
    end_after(50);
    platform.at(platform.clock + 400, [this] { platform.destroy_window(42); });
    run({"/p", "1234"});
    EXPECT_EQ(platform.created_host, 1234);
    EXPECT_EQ(platform.prompts, 0);
    EXPECT_TRUE(platform.cursor_calls.empty());
    EXPECT_TRUE(front.ime_calls.empty());
    EXPECT_GE(platform.shown.size(), 4u);
}

TEST_F(ProgramTest, RunningFullScreenSaverBlocksANewOne) {
    configure();
    front.saver_running = true;
    run({"/s"});
    run({"/p", "1234"});
    EXPECT_TRUE(platform.created_class.empty());
    EXPECT_TRUE(front.settings_owners.empty());
    EXPECT_EQ(front.running_checks, (std::vector<bool>{true, false}));
}

TEST_F(ProgramTest, UnreadableFileEndsWithoutPlaying) {
    store.set_string(SAVER_SETTINGS_KEY, VALUE_LOAD_FILE, "/nonexistent/mepu.mpa");
    EXPECT_EQ(run({"/s"}), 0);
    EXPECT_FALSE(platform.window_alive);
    EXPECT_FALSE(platform.shown_window);
    EXPECT_TRUE(platform.errors.empty());
}

}  // namespace
