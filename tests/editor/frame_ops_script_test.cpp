// Frame operations end to end: mepu-script loads a lettered animation, runs the commands from the
// edit page and saves; the saved frames and the status line are checked.
#include "frame_ops_test_support.h"

namespace {

using namespace menu_script;

std::string values(std::initializer_list<int> numbers) {
    std::string lines;
    for (int number : numbers) {
        lines += "value " + std::to_string(number) + "\n";
    }
    return lines;
}

struct FrameScriptCase {
    const char* name;
    const char* frames;
    std::string steps;  // on the edit page
    const char* expected_frames;
    const char8_t* expected_status;  // first words of the edit status line
};

TEST(FrameOpsScriptTest, CommandsGiveThePredictedFramesAndCurrentFrame) {
    const FrameScriptCase cases[] = {
        {"reverse_two_of_three", "ABC", values({0, 1}) + click(EDIT_REVERSE), "BAC",
         u8"0コマ目を編集中(全3コマ)"},
        {"reverse_all_four", "ABCD", values({0, 3}) + click(EDIT_REVERSE), "DCBA",
         u8"0コマ目を編集中(全4コマ)"},
        {"reverse_last_three", "ABCD", values({1, 3}) + click(EDIT_REVERSE), "ADCB",
         u8"0コマ目を編集中(全4コマ)"},
        {"multi_copy_twice", "ABC", values({0, 1, 2, 2}) + "answer yes\n" + click(EDIT_MULTI_COPY),
         "ABABABC", u8"0コマ目を編集中(全7コマ)"},
        {"multi_copy_to_front", "ABC",
         values({0, 1, 0, 1}) + "answer yes\n" + click(EDIT_MULTI_COPY), "ABABC",
         u8"0コマ目を編集中(全5コマ)"},
        {"multi_copy_declined", "ABC",
         values({0, 1, 2, 2}) + "answer no\n" + click(EDIT_MULTI_COPY), "ABC",
         u8"0コマ目を編集中(全3コマ)"},
        {"insert_at_one", "ABC", click(EDIT_NEXT) + click(EDIT_INSERT), "A_BC",
         u8"1コマ目を編集中(全4コマ)"},
        {"delete_the_last", "ABC",
         click(EDIT_NEXT) + click(EDIT_NEXT) + "answer yes\n" + click(EDIT_DELETE), "AB",
         u8"1コマ目を編集中(全2コマ)"},
        {"delete_the_first", "ABC", "answer yes\n" + click(EDIT_DELETE), "BC",
         u8"0コマ目を編集中(全2コマ)"},
        {"delete_the_only", "A", "answer yes\n" + click(EDIT_DELETE), "_",
         u8"0コマ目を編集中(全1コマ)"},
        {"next_past_the_end", "AB", click(EDIT_NEXT) + click(EDIT_NEXT), "AB_",
         u8"2コマ目を編集中(全3コマ)"},
        {"previous_at_the_start", "AB", click(EDIT_PREVIOUS), "AB", u8"0コマ目を編集中(全2コマ)"},
        {"jump", "ABCD", values({2}) + click(EDIT_JUMP), "ABCD", u8"2コマ目を編集中(全4コマ)"},
        {"copy_previous", "ABCD",
         values({3}) + click(EDIT_JUMP) + click(EDIT_TO_DRAWING) + click(DRAWING_COPY_PREVIOUS) +
             click(DRAWING_TO_EDIT),
         "ABCC", u8"3コマ目を編集中(全4コマ)"},
        {"copy_previous_undone", "ABCD",
         values({3}) + click(EDIT_JUMP) + click(EDIT_TO_DRAWING) + click(DRAWING_COPY_PREVIOUS) +
             click(DRAWING_UNDO) + click(DRAWING_TO_EDIT),
         "ABCD", u8"3コマ目を編集中(全4コマ)"},
    };
    for (const FrameScriptCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string input = write_letters_file(std::string("frames_") + c.name, c.frames);
        const ScriptRun run =
            run_mepu_script(std::string("frames_") + c.name,
                            start_with_file(input) + system_to_edit() + c.steps +
                                dump_text("status.txt") + edit_to_system() + save_as("out.mpa"));
        ASSERT_EQ(run.exit_code, 0) << run.output;
        EXPECT_EQ(letters_in_file(run.path("out.mpa")), c.expected_frames);
        const std::string status = utf8(c.expected_status);
        EXPECT_EQ(read_text(run.path("status.txt")).substr(0, status.size()), status);
    }
}

TEST(FrameOpsScriptTest, MultiCopyConfirmsDestinationAndTotal) {
    const std::string input = write_letters_file("frames_confirm", "ABC");
    const ScriptRun run =
        run_mepu_script("frames_confirm",
                        start_with_file(input) + system_to_edit() + values({0, 1, 2, 2}) +
                            "answer yes\n" + click(EDIT_MULTI_COPY),
                        "--log");
    ASSERT_EQ(run.exit_code, 0) << run.output;
    EXPECT_NE(
        run.output.find(utf8(
            u8"\"連続コピー\" \"コピー先2コマ目 コピー枚数4枚 これでよろしいですか?\" -> yes")),
        std::string::npos)
        << run.output;
}

// 4 000 frames: copying 95 reaches the largest animation a file holds, 96 would pass it.
TEST(FrameOpsScriptTest, MultiCopyStopsShortOfAFullTable) {
    const std::string input = write_letters_file("frames_4000", std::string(4000, '_'));
    struct Case {
        int copied;
        size_t expected_count;
        bool refused;
    };
    for (const Case& c : {Case{95, 4095, false}, Case{96, 4000, true}}) {
        SCOPED_TRACE(c.copied);
        const std::string name = "frames_4000_plus_" + std::to_string(c.copied);
        const ScriptRun run = run_mepu_script(
            name,
            start_with_file(input) + system_to_edit() + values({0, c.copied - 1, 0, 1}) +
                "answer yes\n" + click(EDIT_MULTI_COPY) + edit_to_system() + save_as("out.mpa"),
            "--log");
        ASSERT_EQ(run.exit_code, 0) << run.output;
        EXPECT_EQ(letters_in_file(run.path("out.mpa")), std::string(c.expected_count, '_'));
        const bool refused =
            run.output.find(utf8(u8"\"連続コピーエラー\" \"ページが多すぎます\"")) !=
            std::string::npos;
        EXPECT_EQ(refused, c.refused);
    }
}

// An animation of 4 095 frames is as long as a file can hold: next and insert refuse to add one
// and wait for a click, and the animation stays savable.
TEST(FrameOpsScriptTest, NextAndInsertRefuseTheFrameAFileCannotHold) {
    const std::string input = write_letters_file("frames_4095", std::string(4094, '_') + "A");
    for (Point button : {EDIT_NEXT, EDIT_INSERT}) {
        const std::string name = "frames_4095_" + std::to_string(button.first);
        const ScriptRun run = run_mepu_script(
            name, start_with_file(input) + system_to_edit() + values({4094}) + click(EDIT_JUMP) +
                      click(button) + "dump text refusal.txt\n" + click(NOWHERE) +
                      dump_text("status.txt") + edit_to_system() + save_as("out.mpa"));
        ASSERT_EQ(run.exit_code, 0) << run.output;
        EXPECT_EQ(letters_in_file(run.path("out.mpa")), std::string(4094, '_') + "A");
        EXPECT_EQ(shown_text(read_text(run.path("refusal.txt"))),
                  utf8(u8"コマの数がいっぱいなのでこれ以上コマをふやせません｡\n"
                       u8"マウスのボタンをおしてください\n"));
        const std::string status = utf8(u8"4094コマ目を編集中(全4095コマ)");
        EXPECT_EQ(read_text(run.path("status.txt")).substr(0, status.size()), status);
    }
}

}  // namespace
