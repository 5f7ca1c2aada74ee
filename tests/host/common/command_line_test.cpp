#include "host/common/command_line.h"

#include <gtest/gtest.h>

#include "host/host.h"

namespace {
TEST(CommandLine, OnePairOfQuotesIsRemoved) {
    struct Case {
        const char* command_line;
        const char* file;  // nullptr: no start-up file
    } cases[] = {
        {nullptr, nullptr},
        {"", nullptr},
        {"\"\"", nullptr},
        {"anime.mpa", "anime.mpa"},
        {"\"C:\\My Documents\\anime.mpa\"", "C:\\My Documents\\anime.mpa"},
        {"\"\"two\"\"", "\"two\""},
        {"name \"quoted\"", "name \"quoted\""},  // quotes only count at the very start
        {"\"unclosed.mpa", "unclosed.mpa"},      // the last character is not a quote: kept
        {"\"", nullptr},
        {"trailing\"", "trailing\""},
    };
    for (const Case& c : cases) {
        set_command_line(c.command_line);
        const char* file = command_line_file();
        if (c.file == nullptr) {
            EXPECT_EQ(file, nullptr) << (c.command_line ? c.command_line : "(null)");
        } else {
            ASSERT_NE(file, nullptr) << c.command_line;
            EXPECT_STREQ(file, c.file) << c.command_line;
        }
    }
    set_command_line(nullptr);
}
}  // namespace
