#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "convert/command_line.h"
#include "convert/convert_animation.h"
#include "convert/converter_state.h"
#include "convert_test_support.h"
#include "support/text.h"

namespace {

namespace fs = std::filesystem;

using test_support::utf8;

std::string read_all(FILE* file) {
    std::rewind(file);
    std::string text;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
    return text;
}

struct Outcome {
    int exit_code;
    std::string out;
    std::string err;
};

Outcome run(std::vector<std::string> args) {
    args.insert(args.begin(), "m2bmp");
    std::vector<const char*> argv;
    for (const auto& arg : args) argv.push_back(arg.c_str());
    FILE* out = std::tmpfile();
    FILE* err = std::tmpfile();
    Outcome result{run_command_line(static_cast<int>(argv.size()), argv.data(), out, err), {}, {}};
    result.out = read_all(out);
    result.err = read_all(err);
    std::fclose(out);
    std::fclose(err);
    return result;
}

TEST(CommandLine, HelpSaysHowToCallIt) {
    for (const char* flag : {"--help", "-h"}) {
        const Outcome r = run({flag});
        EXPECT_EQ(r.exit_code, EXIT_ALL_WRITTEN);
        EXPECT_NE(r.out.find("m2bmp [--width W] [--height H] INPUT.mpa OUTPUT_PREFIX"),
                  std::string::npos);
        EXPECT_TRUE(r.err.empty());
    }
}

TEST(CommandLine, OneFileNameAloneIsADroppedFile) {
    struct Case {
        std::vector<const char*> args;
        const char* dropped;
    } cases[] = {
        {{}, nullptr},
        {{"walk.mpa"}, "walk.mpa"},
        {{"C:\\アニメ\\walk.mpa"}, "C:\\アニメ\\walk.mpa"},
        {{"-"}, "-"},
        {{"--help"}, nullptr},
        {{"--width"}, nullptr},
        {{"walk.mpa", "out"}, nullptr},
        {{"--width", "32"}, nullptr},
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv{"m2bmp"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        const char* dropped = dropped_file(static_cast<int>(argv.size()), argv.data());
        if (c.dropped == nullptr) {
            EXPECT_EQ(dropped, nullptr) << c.args.size();
        } else {
            ASSERT_NE(dropped, nullptr) << c.dropped;
            EXPECT_STREQ(dropped, c.dropped);
        }
    }
}

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
    const char* complaint;
};

void PrintTo(const UsageCase& c, std::ostream* os) { *os << c.name; }

class CommandLineUsage : public testing::TestWithParam<UsageCase> {};

TEST_P(CommandLineUsage, WrongArgumentsExitTwoWithoutWriting) {
    const UsageCase& c = GetParam();
    const Outcome r = run(c.args);
    EXPECT_EQ(r.exit_code, EXIT_USAGE);
    EXPECT_NE(r.err.find(c.complaint), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Usage:"), std::string::npos);
    EXPECT_TRUE(r.out.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineUsage,
    testing::Values(
        UsageCase{"OnlyInput", {"in.mpa"}, "an input file and an output prefix are needed"},
        UsageCase{"ThreeFiles", {"in.mpa", "out", "more"}, "too many arguments: more"},
        UsageCase{"UnknownOption", {"--depth", "1", "in.mpa", "out"}, "unknown option --depth"},
        UsageCase{"MissingNumber", {"in.mpa", "out", "--width"}, "missing number after --width"},
        UsageCase{"NotANumber", {"--height", "12x", "in.mpa", "out"}, "not a number: 12x"},
        UsageCase{"EmptyNumber", {"--width", "", "in.mpa", "out"}, "not a number: "},
        UsageCase{
            "HugeNumber", {"--width", "99999999999999999999", "in.mpa", "out"}, "not a number"},
        UsageCase{"TooLongPath", {"in.mpa", std::string(3000, 'a')}, "path too long"},
        UsageCase{
            "GifWithoutOutput", {"--gif", "in.mpa"}, "an input file and an output file are needed"},
        UsageCase{"ScaleZero",
                  {"--gif", "--scale", "0", "in.mpa", "out.gif"},
                  "the scale is 1, 2, 3 or 4"},
        UsageCase{"ScaleFive",
                  {"--gif", "--scale", "5", "in.mpa", "out.gif"},
                  "the scale is 1, 2, 3 or 4"},
        UsageCase{"ScaleWithoutGif", {"--scale", "2", "in.mpa", "out"}, "only with --gif: --scale"},
        UsageCase{"OnceWithoutGif", {"in.mpa", "out", "--once"}, "only with --gif: --once"},
        UsageCase{"GifWithWidth",
                  {"--gif", "--width", "64", "in.mpa", "out.gif"},
                  "a GIF has no --width"}),
    [](const testing::TestParamInfo<UsageCase>& info) { return info.param.name; });

class CommandLineRun : public testing::Test {
protected:
    std::string input() {
        write_bytes(folder.path() / "in.mpa", mpa_of_test_pictures(5));
        return folder.file("in.mpa");
    }
    ScratchFolder folder;
};

TEST_F(CommandLineRun, GifWritesOneFileAsTheDialogCoreDoes) {
    const std::string in = input();
    const Outcome r = run({"--gif", "--scale", "3", "--once", in, folder.file("cli.gif")});
    EXPECT_EQ(r.exit_code, EXIT_ALL_WRITTEN) << r.err;
    EXPECT_TRUE(r.err.empty());
    EXPECT_NE(r.out.find(utf8(u8"現在4コマ目をGIFに変換中     \n")), std::string::npos) << r.out;
    EXPECT_TRUE(r.out.ends_with(utf8(u8"5コマのGIFアニメ変換成功\n"))) << r.out;
    auto state = std::make_unique<ConverterState>();
    choose_files(state.get(), in, folder.file("core.gif"));
    state->output_kind = OutputKind::gif_animation;
    state->gif = {3, false};
    RecordingFront recorder;
    ASSERT_EQ(convert_animation(state.get(), recorder.front()), 0);
    EXPECT_EQ(read_file(folder.path() / "cli.gif"), read_file(folder.path() / "core.gif"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 3);
}

TEST_F(CommandLineRun, GifToAnUnwritablePlaceExitsOne) {
    const std::string gif = (folder.path() / "missing" / "out.gif").string();
    const Outcome r = run({"--gif", input(), gif});
    EXPECT_EQ(r.exit_code, EXIT_NOT_ALL_WRITTEN);
    EXPECT_TRUE(r.out.ends_with(gif + utf8(u8"オープンエラー\n"))) << r.out;
}

TEST_F(CommandLineRun, WritesEveryFrameAndPrintsTheStatusLinesInUtf8) {
    const Outcome r = run({input(), folder.file("out")});
    EXPECT_EQ(r.exit_code, EXIT_ALL_WRITTEN) << r.err;
    EXPECT_TRUE(r.err.empty());
    std::string expected;
    for (int i = 0; i < 5; ++i)
        expected += utf8(u8"現在") + std::to_string(i) + utf8(u8"コマ目を読み込み中     \n");
    for (int i = 0; i < 5; ++i) expected += std::to_string(i) + utf8(u8"枚目変換成功\n");
    EXPECT_EQ(r.out, expected);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(fs::file_size(folder.path() / ("out000" + std::to_string(i) + ".BMP")), 9662u);
}

TEST_F(CommandLineRun, WritesTheSameBytesAsTheDialogCore) {
    const std::string in = input();
    ASSERT_EQ(run({"--width", "100", "--height", "131", in, folder.file("cli")}).exit_code, 0);
    auto state = std::make_unique<ConverterState>();
    choose_files(state.get(), in, folder.file("core"));
    state->output_width = 96;
    state->output_height = 130;
    RecordingFront recorder;
    ASSERT_EQ(convert_animation(state.get(), recorder.front()), 0);
    for (int i = 0; i < 5; ++i) {
        const std::string n = "000" + std::to_string(i) + ".BMP";
        const std::vector<uint8_t> cli = read_file(folder.path() / ("cli" + n));
        EXPECT_EQ(cli.size(), 62u + 96 * 130 / 8);
        EXPECT_EQ(cli, read_file(folder.path() / ("core" + n)));
    }
}

TEST_F(CommandLineRun, OptionsAfterTheFilesAndTheSmallestSizes) {
    const Outcome r = run({input(), folder.file("tiny"), "--width", "0", "--height", "-9"});
    EXPECT_EQ(r.exit_code, EXIT_ALL_WRITTEN) << r.err;
    EXPECT_EQ(fs::file_size(folder.path() / "tiny0004.BMP"), 62u + 32 * 2 / 8);
}

TEST_F(CommandLineRun, DoubleDashLetsAFileStartWithADash) {
    write_bytes(folder.path() / "-in.mpa", mpa_of_test_pictures(1));
    const fs::path previous = fs::current_path();
    fs::current_path(folder.path());
    const Outcome r = run({"--", "-in.mpa", "-out"});
    fs::current_path(previous);
    EXPECT_EQ(r.exit_code, EXIT_ALL_WRITTEN) << r.err;
    EXPECT_TRUE(fs::exists(folder.path() / "-out0000.BMP"));
}

TEST_F(CommandLineRun, ARefusedInputPrintsTheBoxTextAndExitsOne) {
    MpaHeader header;
    header.storage_version = -1;
    write_bytes(folder.path() / "old.mpa", mpa_bytes(header, {std::vector<uint8_t>(9596, 0xFF)}));
    const Outcome r = run({folder.file("old.mpa"), folder.file("out")});
    EXPECT_EQ(r.exit_code, EXIT_NOT_ALL_WRITTEN);
    EXPECT_EQ(r.err, utf8(u8"大変だ！: このバージョンのめぷファイルは変換できません。\n"));
    EXPECT_TRUE(r.out.empty());
}

TEST_F(CommandLineRun, AnOutputFolderInsteadOfANameIsNoOutput) {
    const Outcome r = run({input(), folder.path().string() + "/"});
    EXPECT_EQ(r.exit_code, EXIT_NOT_ALL_WRITTEN);
    EXPECT_EQ(r.err, utf8(u8"M2BMP: 変換先のBMPファイル名が指定されていません\n"));
}

TEST_F(CommandLineRun, AnUnwritableFolderExitsOneAfterTryingEveryFrame) {
    const std::string prefix = (folder.path() / "missing" / "out").string();
    const Outcome r = run({input(), prefix});
    EXPECT_EQ(r.exit_code, EXIT_NOT_ALL_WRITTEN);
    size_t failures = 0;
    for (size_t at = 0;
         (at = r.out.find(prefix + utf8(u8"オープンエラー\n"), at)) != std::string::npos; ++at)
        ++failures;
    EXPECT_EQ(failures, 5u) << r.out;
}

}  // namespace
