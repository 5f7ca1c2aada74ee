#include "saver/core/command_line.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace {

struct Case {
    std::vector<const char*> args;
    SaverMode mode;
    WindowSource source;
    intptr_t window;
};

class CommandLine : public testing::TestWithParam<Case> {};

TEST_P(CommandLine, GivesModeAndWindow) {
    const Case& c = GetParam();
    const SaverCommand command = parse_command_line(int(c.args.size()), c.args.data());
    EXPECT_EQ(command.mode, c.mode);
    EXPECT_EQ(command.window_source, c.source);
    if (c.source == WindowSource::ARGUMENT) {
        EXPECT_EQ(command.window, c.window);
    }
}

// "case<index>_<arguments with other characters as _>".
std::string case_name(const testing::TestParamInfo<Case>& info) {
    std::string name = "case" + std::to_string(info.index);
    for (const char* arg : info.param.args) {
        name += '_';
        for (const char* c = arg; *c != '\0'; ++c) {
            name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        }
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(
    Switches, CommandLine,
    testing::Values(
        Case{{}, SAVER_MODE_SETTINGS, WindowSource::NONE, 0},
        Case{{"/s"}, SAVER_MODE_FULL_SCREEN, WindowSource::NONE, 0},
        Case{{"/S"}, SAVER_MODE_FULL_SCREEN, WindowSource::NONE, 0},
        Case{{"-s"}, SAVER_MODE_FULL_SCREEN, WindowSource::NONE, 0},
        Case{{"-S", "99"}, SAVER_MODE_FULL_SCREEN, WindowSource::NONE, 0},
        Case{{"s"}, SAVER_MODE_OTHER, WindowSource::FOREGROUND, 0},
        Case{{"/x"}, SAVER_MODE_OTHER, WindowSource::FOREGROUND, 0},
        Case{{""}, SAVER_MODE_OTHER, WindowSource::FOREGROUND, 0},
        Case{{"/"}, SAVER_MODE_OTHER, WindowSource::FOREGROUND, 0},
        Case{{"/?"}, SAVER_MODE_OTHER, WindowSource::FOREGROUND, 0},
        Case{{"/c"}, SAVER_MODE_SETTINGS, WindowSource::FOREGROUND, 0},
        Case{{"/c:1234"}, SAVER_MODE_SETTINGS, WindowSource::FOREGROUND, 0},
        Case{{"-C"}, SAVER_MODE_SETTINGS, WindowSource::FOREGROUND, 0},
        Case{{"/p", "1234"}, SAVER_MODE_PREVIEW, WindowSource::ARGUMENT, 1234},
        Case{{"/P", "  +56"}, SAVER_MODE_PREVIEW, WindowSource::ARGUMENT, 56},
        Case{{"-p", "-7"}, SAVER_MODE_PREVIEW, WindowSource::ARGUMENT, -7},
        Case{{"/p"}, SAVER_MODE_PREVIEW, WindowSource::NONE, 0},
        Case{{"/p", "abc"}, SAVER_MODE_PREVIEW, WindowSource::NONE, 0},
        Case{{"/p", "0"}, SAVER_MODE_PREVIEW, WindowSource::NONE, 0},
        Case{{"/p", "99999999999999999999999"}, SAVER_MODE_PREVIEW, WindowSource::NONE, 0},
        Case{{"/pxyz", "12x"}, SAVER_MODE_PREVIEW, WindowSource::ARGUMENT, 12},
        Case{{"/a", "4321"}, SAVER_MODE_CHANGE_PASSWORD, WindowSource::ARGUMENT, 4321},
        Case{{"-A"}, SAVER_MODE_CHANGE_PASSWORD, WindowSource::NONE, 0},
        // Windows handles are decimal: a hex id reads as no number.
        Case{{"/p", "0x2a0000c"}, SAVER_MODE_PREVIEW, WindowSource::NONE, 0},
        Case{{"-root"}, SAVER_MODE_OTHER, WindowSource::FOREGROUND, 0}),
    case_name);

TEST(CommandLineX11, PreviewIdMayBeHex) {
    struct {
        const char* id;
        intptr_t window;
    } cases[] = {
        {"0x2a0000c", 0x2a0000c},
        {"0X2A0000C", 0x2a0000c},
        {" 0x1f", 0x1f},
        {"44040204", 44040204},
        {"010", 10},
        {"0x", 0},
        {"0xzz", 0},
        {"0x8000000000000000", 0},
    };
    for (const auto& c : cases) {
        const char* args[] = {"-p", c.id};
        const SaverCommand command = parse_command_line(2, args, WindowNumbers::DECIMAL_OR_HEX);
        EXPECT_EQ(command.mode, SAVER_MODE_PREVIEW) << c.id;
        EXPECT_EQ(command.window, c.window) << c.id;
        EXPECT_EQ(command.window_source,
                  c.window != 0 ? WindowSource::ARGUMENT : WindowSource::NONE)
            << c.id;
        EXPECT_FALSE(command.hosted);
    }
}

TEST(CommandLineX11, HostSwitchesNameTheWindowToDrawInto) {
    constexpr intptr_t ROOT = 0x2ee;
    struct Case {
        std::vector<const char*> args;
        const char* variable;
        bool hosted;
        intptr_t window;
    } cases[] = {
        {{"-root"}, nullptr, true, ROOT},
        {{"-root"}, "0x400007", true, 0x400007},
        {{"-root"}, "4194311", true, 4194311},
        {{"-root"}, "", true, ROOT},
        {{"-root"}, "junk", true, ROOT},
        {{"-window-id", "0x1200005"}, "0x400007", true, 0x1200005},
        {{"-window-id", "77"}, nullptr, true, 77},
        {{"--root"}, "0x400007", true, 0x400007},
        {{"--window-id", "0x1200005"}, nullptr, true, 0x1200005},
        {{"---root"}, nullptr, false, 0},
        {{"-window-id"}, nullptr, true, 0},
        {{"-window-id", "none"}, nullptr, true, 0},
        {{"-s"}, "0x400007", false, 0},
        {{"-r"}, nullptr, false, 0},
        {{"-rooted"}, nullptr, false, 0},
        {{}, nullptr, false, 0},
    };
    for (const Case& c : cases) {
        SaverCommand command;
        const bool hosted = parse_hosted_command_line(int(c.args.size()), c.args.data(), c.variable,
                                                      ROOT, &command);
        const std::string label = c.args.empty() ? "(none)" : c.args[0];
        ASSERT_EQ(hosted, c.hosted) << label;
        if (!hosted) continue;
        EXPECT_TRUE(command.hosted) << label;
        EXPECT_EQ(command.mode, SAVER_MODE_PREVIEW) << label;
        EXPECT_EQ(command.window_source, WindowSource::ARGUMENT) << label;
        EXPECT_EQ(command.window, c.window) << label;
    }
}

TEST(CommandLineX11, HelpIsAskedForByItsOwnWord) {
    const char* help[] = {"-s", "--help"};
    const char* other[] = {"-help", "--h", "/?"};
    EXPECT_TRUE(asks_for_help(2, help));
    EXPECT_FALSE(asks_for_help(3, other));
    EXPECT_FALSE(asks_for_help(0, nullptr));
}

}  // namespace
