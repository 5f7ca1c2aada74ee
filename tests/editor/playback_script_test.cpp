// Playback end to end through mepu-script: pausing and stopping with the buttons, the chosen
// start, rewind, the speed setting, and the start-up that loops a file named on the command line.
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "frame_ops_test_support.h"

namespace {

using namespace menu_script;

std::string edit_status(int current, int count) {
    return std::to_string(current) + utf8(u8"コマ目を編集中(全") + std::to_string(count) +
           utf8(u8"コマ)");
}

bool starts_with(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

// The frame number of the "now playing" line the text window starts with; -1 when it does not.
int playing_frame(const std::string& text) {
    for (int frame = 0; frame < MAX_FRAMES; ++frame) {
        if (starts_with(text, utf8(u8"現在､") + std::to_string(frame) + utf8(u8"コマ目を再生中"))) {
            return frame;
        }
    }
    return -1;
}

TEST(PlaybackScriptTest, LeftButtonHoldsTheFrameAndRightStopsOnTheFrameShownNext) {
    const std::string letters = "ABCDEFGHIJKLMNOPQRST";
    const std::string input = write_letters_file("playback_pause", letters, 60);
    // Left goes down during playback; right goes down while the frame is held, so it is first
    // seen with the frame shown after the pause, and playback stops there. A quick right click
    // during the pause is over before the pause is, and must stop it all the same.
    struct Case {
        const char* name;
        const char* right_click;
    } cases[] = {
        {"held", "press right\nrelease left\nrelease right\n"},
        {"quick", "tap right\nrelease left\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ScriptRun run =
            run_mepu_script(std::string("playback_pause_") + c.name,
                            start_with_file(input) + click(SYSTEM_PLAY) +
                                "press left\nwait 8\n"
                                "dump text paused_first.txt\ndump canvas paused_first.raw\n"
                                "wait 40\n"
                                "dump text paused_later.txt\ndump canvas paused_later.raw\n" +
                                c.right_click + system_to_edit() + dump_text("status.txt"));
        ASSERT_EQ(run.exit_code, 0) << run.output;
        const int paused = playing_frame(read_text(run.path("paused_first.txt")));
        ASSERT_GE(paused, 0) << read_text(run.path("paused_first.txt"));
        ASSERT_LT(paused, static_cast<int>(letters.size()) - 1);
        EXPECT_EQ(playing_frame(read_text(run.path("paused_later.txt"))), paused);
        EXPECT_TRUE(read_canvas_dump(run.path("paused_first.raw")) ==
                    letter_picture(letters[paused]));
        EXPECT_TRUE(read_canvas_dump(run.path("paused_later.raw")) ==
                    letter_picture(letters[paused]));
        EXPECT_TRUE(starts_with(read_text(run.path("status.txt")),
                                edit_status(paused + 1, static_cast<int>(letters.size()))))
            << read_text(run.path("status.txt"));
    }
}

// A frame never drawn on has no runs at all; it must still show as white paper, not as whatever
// the canvas held before it (the menu page under the first frame, the last drawn frame later).
TEST(PlaybackScriptTest, EmptyFramesPlayAsWhitePaper) {
    struct Case {
        const char* name;
        bool first_frame_drawn;  // a lettered frame before the empty ones
    } cases[] = {{"after a drawn frame", true}, {"from the menu page", false}};
    for (const Case& c : cases) {
        std::vector<Picture> frames(20, Picture{{}});  // no pixels: the empty frame
        if (c.first_frame_drawn) frames[0] = letter_picture('A');
        const std::string name = std::string("playback_empty_") + (c.first_frame_drawn ? "a" : "b");
        const std::string input = write_animation(name, frames, 60);
        const ScriptRun run = run_mepu_script(
            name, start_with_file(input) + click(SYSTEM_PLAY) +
                      "press left\nwait 8\ndump text paused.txt\ndump canvas paused.raw\n"
                      "press right\nrelease left\nrelease right\n");
        ASSERT_EQ(run.exit_code, 0) << c.name << run.output;
        const int paused = playing_frame(read_text(run.path("paused.txt")));
        ASSERT_GE(paused, c.first_frame_drawn ? 1 : 0) << c.name;
        const Picture shown = read_canvas_dump(run.path("paused.raw"));
        EXPECT_TRUE(shown == Picture{})
            << c.name << ", frame " << paused << ": " << describe_difference(shown, Picture{});
    }
}

TEST(PlaybackScriptTest, ChosenStartCountsFromZeroAndRewindGoesToTheFirstFrame) {
    const std::string input = write_letters_file("playback_chosen", "ABC");
    const ScriptRun run =
        run_mepu_script("playback_chosen",
                        start_with_file(input) + "value 1\n" + click(SYSTEM_PLAY_CHOSEN) +
                            system_to_edit() + dump_text("after_play.txt") + edit_to_system() +
                            click(SYSTEM_REWIND) + system_to_edit() + dump_text("after_rewind.txt"),
                        "--log");
    ASSERT_EQ(run.exit_code, 0) << run.output;
    EXPECT_NE(run.output.find("value 1..3 start 0 -> 1"), std::string::npos) << run.output;
    EXPECT_TRUE(starts_with(read_text(run.path("after_play.txt")), edit_status(2, 3)));
    EXPECT_TRUE(starts_with(read_text(run.path("after_rewind.txt")), edit_status(0, 3)));
}

TEST(PlaybackScriptTest, SpeedIsAskedOverOneToSixtyAndSavedWithTheFrames) {
    const std::string input = write_letters_file("playback_speed", "AB");
    const ScriptRun run =
        run_mepu_script("playback_speed",
                        start_with_file(input) + "value 7\n" + click(SYSTEM_SPEED) +
                            click(SYSTEM_PLAY) + "wait 8\n" + save_as("out.mpa"),
                        "--log");
    ASSERT_EQ(run.exit_code, 0) << run.output;
    EXPECT_NE(run.output.find("value 1..60 start 5 -> 7"), std::string::npos) << run.output;
    int32_t speed = 0;
    EXPECT_EQ(letters_in_file(run.path("out.mpa"), &speed), "AB");
    EXPECT_EQ(speed, 7);
}

// mepu-script with an animation named after the script, as the editor's command line names one.
int run_with_command_line_file(const std::string& folder, const std::string& script,
                               const std::string& animation) {
    namespace fs = std::filesystem;
    fs::remove_all(folder);
    fs::create_directories(folder + "/system");
    std::ofstream(folder + "/system/mepusys.ini", std::ios::binary) << MEPU_PROGRAM_FOLDER << "/";
    std::ofstream(folder + "/script.txt", std::ios::binary) << script;
    const std::string command = "cd '" + folder +
                                "' && '" MEPU_SCRIPT_PROGRAM "' --system-dir system script.txt '" +
                                animation + "' > output.txt 2>&1";
    return std::system(command.c_str());
}

TEST(PlaybackScriptTest, FileOnTheCommandLineLoopsUntilTheRightButton) {
    const std::string input = write_letters_file("playback_start", "ABC", 60);
    const std::string folder = test_support::temp_dir() + "mepu_editor_playback_start";
    // One pass over three frames takes four polls; after sixty the file is still playing.
    const int status =
        run_with_command_line_file(folder,
                                   "wait 60\ndump text playing.txt\n" + at("rclick", NOWHERE) +
                                       at("move", SYSTEM_LOAD) + "wait 8\ndump text menu.txt\n",
                                   input);
    ASSERT_EQ(status, 0) << read_text(folder + "/output.txt");
    const std::string playing = read_text(folder + "/playing.txt");
    EXPECT_GE(playing_frame(playing), 0) << playing;
    EXPECT_NE(playing.find(utf8(u8"全3コマ")), std::string::npos) << playing;
    const std::string menu = read_text(folder + "/menu.txt");
    EXPECT_NE(menu.find(utf8(u8"アニメデータを読み込みます")), std::string::npos) << menu;
}

}  // namespace
