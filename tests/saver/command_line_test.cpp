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
        Case{{"-A"}, SAVER_MODE_CHANGE_PASSWORD, WindowSource::NONE, 0}),
    case_name);

}  // namespace
