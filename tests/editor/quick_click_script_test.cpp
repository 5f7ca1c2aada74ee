// Quick clicks (press and release both before the next poll, as a touchpad tap sends them) through
// mepu-script: a quick right click leaves every tool and playback loop, wherever it falls among the
// loop's polls.
#include "frame_ops_test_support.h"

namespace {

using namespace menu_script;

constexpr Point DRAWING_PEN{240, 56};
constexpr Point DRAWING_LINE{40, 116};
constexpr Point DRAWING_BOX{170, 56};
constexpr Point DRAWING_FILL{40, 84};

TEST(QuickClickScriptTest, AQuickRightClickLeavesEveryLoop) {
    const std::string drawing = click(WELCOME) + click(SYSTEM_TO_DRAWING);
    const std::string pen_help = utf8(u8"ペンで今のコマに自由に絵をかきます");
    const std::string stamp_help = utf8(u8"現在の色でスタンプを押します");
    const std::string loop_help = utf8(u8"繰り返し再生します");
    const std::string input = write_letters_file("quick_click_loop", "ABCDEFGHIJKLMNOPQRST", 60);
    struct Case {
        const char* name;
        std::string into_the_loop;
        std::string after_the_click;  // what the loop left behind, if anything
        Point hover;                  // a button of the page the loop returns to
        std::string help;             // its help text, shown only once the menu runs again
    } cases[] = {
        {"pen", drawing + click(DRAWING_PEN) + at("move", {100, 100}), "", DRAWING_PEN, pen_help},
        {"line", drawing + click(DRAWING_LINE), "", DRAWING_PEN, pen_help},
        {"line dragging",
         drawing + click(DRAWING_LINE) + at("move", {100, 100}) + "press left\n" +
             at("move", {120, 120}),
         "release left\n", DRAWING_PEN, pen_help},
        {"box", drawing + click(DRAWING_BOX), "", DRAWING_PEN, pen_help},
        {"fill", drawing + click(DRAWING_FILL), "", DRAWING_PEN, pen_help},
        {"new stamp", drawing + click(DRAWING_TO_STAMP) + click(STAMP_NEW), "", STAMP_PRESS,
         stamp_help},
        {"loop playback", start_with_file(input) + click(SYSTEM_PLAY_LOOP), "", SYSTEM_PLAY_LOOP,
         loop_help},
    };
    for (const Case& c : cases) {
        // The loops poll once or twice a round: each phase of the round gets the click.
        for (int phase = 0; phase < 4; ++phase) {
            const std::string name = std::string(c.name) + " " + std::to_string(phase);
            SCOPED_TRACE(name);
            const ScriptRun run = run_mepu_script(
                "quick_click_" + std::to_string(&c - cases) + "_" + std::to_string(phase),
                c.into_the_loop + "wait " + std::to_string(phase) + "\ntap right\n" +
                    c.after_the_click + at("move", c.hover) + "wait 16\ndump text text.txt\n");
            ASSERT_EQ(run.exit_code, 0) << run.output;
            const std::string text = read_text(run.path("text.txt"));
            EXPECT_NE(text.find(c.help), std::string::npos) << text;
        }
    }
}

}  // namespace
