#include "host/script/script_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "host/script/script_host_testing.h"
#include "support/text.h"

namespace {
using test_support::utf8;

TEST(ScriptReader, MalformedLinesAreReportedWithTheirLineNumber) {
    struct Case {
        std::string script;
        int line;
        std::string message_part;
    } cases[] = {
        {"jump 1 2\n", 1, "unknown command 'jump'"},
        {"move 1 2\n\n# note\nmove x 2\n", 4, "bad number"},
        {"move 1\n", 1, "takes 2 arguments"},
        {"move 1 2 3\n", 1, "takes 2 arguments"},
        {"click 1 99999999999\n", 1, "bad number"},
        {"move 1 2junk\n", 1, "bad number"},
        {"press middle\n", 1, "expected left or right"},
        {"tap\n", 1, "takes 1 argument"},
        {"release\n", 1, "takes 1 argument"},
        {"wait -1\n", 1, "bad number of polls"},
        {"wait\n", 1, "takes 1 argument"},
        {"value many\n", 1, "bad number"},
        {"answer maybe\n", 1, "unknown answer 'maybe'"},
        {"string\n", 1, "takes 1 argument"},
        {"file\n", 1, "takes 1 argument"},
        {"dump screen x.bin\n", 1, "expected canvas or text"},
        {"dump canvas\n", 1, "'dump' takes"},
        {"MOVE 1 2\n", 1, "unknown command 'MOVE'"},
        {"move 1 2\r\nfoo\r\n", 2, "unknown command 'foo'"},
    };
    for (const Case& c : cases) {
        Script script;
        ScriptError error;
        EXPECT_FALSE(parse_script(c.script, &script, &error)) << c.script;
        EXPECT_EQ(error.line, c.line) << c.script;
        EXPECT_NE(error.message.find(c.message_part), std::string::npos)
            << c.script << " gave: " << error.message;
    }
}

TEST(ScriptReader, PointerCommandsBecomeStepsInOrder) {
    Script script;
    ScriptError error;
    ASSERT_TRUE(
        parse_script("  # a comment\n"
                     "move 10 -20   # trailing comment\n"
                     "\n"
                     "click 5 6\n"
                     "rclick 7 8\r\n"
                     "press right\n"
                     "release right\n"
                     "tap right\n"
                     "wait 0\n"
                     "dump canvas out/c.bin\n"
                     "dump text out dir/t.txt\n",
                     &script, &error))
        << error.message;
    struct Expected {
        StepKind kind;
        int x, y;
        PointerButton button;
        int line;
    } expected[] = {
        {StepKind::move, 10, -20, PointerButton::left, 2},
        {StepKind::move, 5, 6, PointerButton::left, 4},
        {StepKind::press, 0, 0, PointerButton::left, 4},
        {StepKind::release, 0, 0, PointerButton::left, 4},
        {StepKind::move, 7, 8, PointerButton::left, 5},
        {StepKind::press, 0, 0, PointerButton::right, 5},
        {StepKind::release, 0, 0, PointerButton::right, 5},
        {StepKind::press, 0, 0, PointerButton::right, 6},
        {StepKind::release, 0, 0, PointerButton::right, 7},
        {StepKind::tap, 0, 0, PointerButton::right, 8},
        {StepKind::wait, 0, 0, PointerButton::left, 9},
        {StepKind::dump_canvas, 0, 0, PointerButton::left, 10},
        {StepKind::dump_text, 0, 0, PointerButton::left, 11},
    };
    ASSERT_EQ(script.steps.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const ScriptStep& step = script.steps[i];
        EXPECT_EQ(step.kind, expected[i].kind) << i;
        EXPECT_EQ(step.line, expected[i].line) << i;
        if (step.kind == StepKind::move) {
            EXPECT_EQ(step.x, expected[i].x) << i;
            EXPECT_EQ(step.y, expected[i].y) << i;
        }
        if (step.kind == StepKind::press || step.kind == StepKind::release ||
            step.kind == StepKind::tap) {
            EXPECT_EQ(step.button, expected[i].button) << i;
        }
    }
    EXPECT_EQ(script.steps[11].path, "out/c.bin");
    EXPECT_EQ(script.steps[12].path, "out dir/t.txt");
}

// Form feeds, vertical tabs and stray carriage returns are blanks like spaces: a line of them
// alone is blank, and they separate words.
TEST(ScriptReader, EveryKindOfBlankSeparatesAndEndsWords) {
    struct Case {
        std::string script;
        std::size_t steps;
        std::size_t strings;
    } cases[] = {
        {"# a\n\f\n\v\n\r\r\n", 0, 0},
        {"\vmove\f1\v2\r\r\n", 1, 0},
        {"click 1 2\f# comment\n", 3, 0},
        {"\fstring\vtext\f\n", 0, 1},
    };
    for (const Case& c : cases) {
        Script script;
        ScriptError error;
        ASSERT_TRUE(parse_script(c.script, &script, &error)) << error.message;
        EXPECT_EQ(script.steps.size(), c.steps) << c.script;
        ASSERT_EQ(script.strings.size(), c.strings) << c.script;
        if (c.strings == 1) {
            EXPECT_EQ(script.strings[0], std::string("text"));
        }
    }
}

TEST(ScriptReader, AnswersGoIntoFourQueuesWhereverTheyStand) {
    Script script;
    ScriptError error;
    ASSERT_TRUE(parse_script(utf8(u8"value 5\n"
                                  u8"move 1 1\n"
                                  u8"answer yes\n"
                                  u8"string こんにちは  世界\n"
                                  u8"value cancel\n"
                                  u8"file /tmp/a#b.mpa\n"
                                  u8"string cancel\n"
                                  u8"file cancel\n"
                                  u8"answer cancel\n"),
                             &script, &error))
        << error.message;
    EXPECT_EQ(script.steps.size(), 1u);
    ASSERT_EQ(script.values.size(), 2u);
    EXPECT_EQ(script.values[0], 5);
    EXPECT_EQ(script.values[1], std::nullopt);
    ASSERT_EQ(script.strings.size(), 2u);
    EXPECT_EQ(script.strings[0],
              std::string("こんにちは  世界"));  // Shift-JIS, as the editor gets it
    EXPECT_EQ(script.strings[1], std::nullopt);
    ASSERT_EQ(script.files.size(), 2u);
    EXPECT_EQ(script.files[0], std::string("/tmp/a#b.mpa"));  // '#' inside a word is no comment
    EXPECT_EQ(script.files[1], std::nullopt);
    EXPECT_EQ(script.answers,
              (std::deque<MessageAnswer>{MessageAnswer::yes, MessageAnswer::cancel}));
}
}  // namespace
