#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "anim/frame.h"
#include "convert/frame_pixels.h"

namespace {

struct FrameBlock {
    explicit FrameBlock(const std::vector<uint8_t>& tokens)
        : bytes(sizeof(Frame) + tokens.size()) {
        const auto count = static_cast<int32_t>(tokens.size());
        std::memcpy(bytes.data(), &count, sizeof count);
        std::copy(tokens.begin(), tokens.end(), bytes.begin() + sizeof(Frame));
    }
    const Frame* frame() const { return reinterpret_cast<const Frame*>(bytes.data()); }
    std::vector<uint8_t> bytes;
};

struct DecodeCase {
    const char* name;
    std::vector<uint8_t> tokens;
    int64_t ink_pixels;      // how many pixels come out ink
    int64_t first_paper;     // index of the first paper pixel (-1: none)
};

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

bool is_ink(const uint64_t* words, int64_t pixel) {
    return (words[pixel / 64] >> (63 - pixel % 64) & 1) != 0;
}

class DecodeFrameBits : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeFrameBits, StaysInThePictureAndPadsWithPaper) {
    const DecodeCase& c = GetParam();
    // Surrounded by guard words; the picture starts all ink to show every pixel is rewritten.
    std::vector<uint64_t> buffer(PICTURE_WORDS + 8, 0x7777777777777777u);
    uint64_t* words = buffer.data() + 4;
    std::fill(words, words + PICTURE_WORDS, ~uint64_t{0});
    const FrameBlock block(c.tokens);
    decode_frame_bits(block.frame(), words);
    int64_t ink = 0;
    int64_t first_paper = -1;
    for (int64_t i = 0; i < FRAME_PIXELS; ++i) {
        if (is_ink(words, i)) ++ink;
        else if (first_paper < 0) first_paper = i;
    }
    EXPECT_EQ(ink, c.ink_pixels);
    EXPECT_EQ(first_paper, c.first_paper);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(buffer[static_cast<size_t>(i)], 0x7777777777777777u);
        EXPECT_EQ(buffer[PICTURE_WORDS + 4 + static_cast<size_t>(i)], 0x7777777777777777u);
    }
}

// Ink runs of every length at every offset in a word, against a plain pixel loop.
TEST(DecodeFrameBits, RunsOfEveryLengthAndOffsetMatchAPixelLoop) {
    std::vector<uint8_t> tokens;
    std::vector<bool> expected;
    for (int offset = 0; offset < 64; ++offset) {
        tokens.push_back(static_cast<uint8_t>(127 + 64 + offset));  // paper, 64 + offset pixels
        expected.insert(expected.end(), static_cast<size_t>(64 + offset), false);
        const int length = offset * 2 + 1;
        tokens.push_back(static_cast<uint8_t>(length - 1));  // ink, 1 .. 127 pixels
        expected.insert(expected.end(), static_cast<size_t>(length), true);
    }
    tokens.push_back(127);  // a full run of ink straddling two or three words
    expected.insert(expected.end(), 128, true);
    ASSERT_LE(expected.size(), static_cast<size_t>(FRAME_PIXELS));
    const FrameBlock block(tokens);
    std::vector<uint64_t> words(PICTURE_WORDS);
    decode_frame_bits(block.frame(), words.data());
    for (size_t i = 0; i < static_cast<size_t>(FRAME_PIXELS); ++i)
        ASSERT_EQ(is_ink(words.data(), static_cast<int64_t>(i)), i < expected.size() && expected[i]) << i;
}

std::vector<uint8_t> repeated(uint8_t token, size_t count, std::vector<uint8_t> tail = {}) {
    std::vector<uint8_t> tokens(count + tail.size(), token);
    std::copy(tail.begin(), tail.end(), tokens.begin() + static_cast<std::ptrdiff_t>(count));
    return tokens;
}

INSTANTIATE_TEST_SUITE_P(
    Frames, DecodeFrameBits,
    testing::Values(
        DecodeCase{"Empty", {}, 0, 0},
        DecodeCase{"AllPaper", repeated(255, 600), 0, 0},
        DecodeCase{"AllInk", repeated(127, 600), FRAME_PIXELS, -1},
        DecodeCase{"InkThenPaper", {4, 255, 132}, 5, 5},
        DecodeCase{"ShortInkRun", {9}, 10, 10},
        DecodeCase{"PaperThenLastPixelInk", repeated(255, 599, {254, 0}), 1, 0},
        // 1000 ink pixels too many: the excess is dropped, nothing written past the picture.
        DecodeCase{"TooLong", repeated(127, 608), FRAME_PIXELS, -1},
        DecodeCase{"TooLongPaperAfter", repeated(127, 600, repeated(255, 40)), FRAME_PIXELS, -1}),
    [](const testing::TestParamInfo<DecodeCase>& info) { return info.param.name; });

}  // namespace
