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

class DecodeFramePixels : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeFramePixels, StaysInTheBufferAndPadsWithPaper) {
    const DecodeCase& c = GetParam();
    // Surrounded by guard bytes; the buffer starts full of ink to show every pixel is rewritten.
    std::vector<uint8_t> buffer(FRAME_PIXELS + 64, 0x77);
    uint8_t* pixels = buffer.data() + 32;
    std::fill(pixels, pixels + FRAME_PIXELS, DECODED_INK);
    const FrameBlock block(c.tokens);
    decode_frame_pixels(block.frame(), pixels);
    int64_t ink = 0;
    int64_t first_paper = -1;
    for (int64_t i = 0; i < FRAME_PIXELS; ++i) {
        ASSERT_TRUE(pixels[i] == DECODED_INK || pixels[i] == DECODED_PAPER) << i;
        if (pixels[i] == DECODED_INK) ++ink;
        else if (first_paper < 0) first_paper = i;
    }
    EXPECT_EQ(ink, c.ink_pixels);
    EXPECT_EQ(first_paper, c.first_paper);
    for (int i = 0; i < 32; ++i) {
        EXPECT_EQ(buffer[static_cast<size_t>(i)], 0x77);
        EXPECT_EQ(buffer[FRAME_PIXELS + 32 + static_cast<size_t>(i)], 0x77);
    }
}

std::vector<uint8_t> repeated(uint8_t token, size_t count, std::vector<uint8_t> tail = {}) {
    std::vector<uint8_t> tokens(count + tail.size(), token);
    std::copy(tail.begin(), tail.end(), tokens.begin() + static_cast<std::ptrdiff_t>(count));
    return tokens;
}

INSTANTIATE_TEST_SUITE_P(
    Frames, DecodeFramePixels,
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
