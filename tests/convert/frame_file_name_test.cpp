#include <gtest/gtest.h>

#include <string>

#include "convert/frame_file_name.h"

namespace {

struct NameCase {
    const char* prefix;
    int32_t index;
    const char* expected;  // nullptr: refused
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.prefix << " " << c.index; }

class FrameFileName : public testing::TestWithParam<NameCase> {};

TEST_P(FrameFileName, PrefixFourDigitsExtension) {
    const NameCase& c = GetParam();
    char out[64];
    std::fill(std::begin(out), std::end(out), 'x');
    const int status = frame_file_name(c.prefix, c.index, ".BMP", out, sizeof out);
    if (c.expected == nullptr) {
        EXPECT_EQ(status, -1);
        return;
    }
    EXPECT_EQ(status, 0);
    EXPECT_EQ(std::string(out), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, FrameFileName,
    testing::Values(NameCase{"out", 0, "out0000.BMP"}, NameCase{"out", 4, "out0004.BMP"},
                    NameCase{"out", 37, "out0037.BMP"}, NameCase{"out", 4095, "out4095.BMP"},
                    NameCase{"out", 9999, "out9999.BMP"},
                    NameCase{"walk.bmp", 0, "walk.bmp0000.BMP"},
                    NameCase{"C:\\anim\\walk", 1, "C:\\anim\\walk0001.BMP"},
                    NameCase{"", 12, "0012.BMP"}, NameCase{"out", 10000, nullptr},
                    NameCase{"out", -1, nullptr}, NameCase{"out", INT32_MIN, nullptr}));

TEST(FrameFileNameCapacity, ANameThatDoesNotFitIsRefusedNotCut) {
    char out[12];  // "out0000.BMP" needs 12 with its NUL; "outs0000.BMP" does not fit
    EXPECT_EQ(frame_file_name("out", 0, ".BMP", out, sizeof out), 0);
    EXPECT_STREQ(out, "out0000.BMP");
    EXPECT_EQ(frame_file_name("outs", 0, ".BMP", out, sizeof out), -1);
    EXPECT_STREQ(out, "");
}

}  // namespace
