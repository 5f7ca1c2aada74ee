#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "anim/frame.h"
#include "convert/bmp_pixels.h"
#include "convert/output_size.h"
#include "convert_test_support.h"
#include "raster/raster.h"

namespace {

constexpr uint8_t PLAIN_INK = 0xFF;
constexpr uint8_t PLAIN_PAPER = 0x0A;

std::vector<uint8_t> frame_block(const std::vector<uint8_t>& tokens) {
    std::vector<uint8_t> bytes(sizeof(Frame) + tokens.size());
    const auto count = static_cast<int32_t>(tokens.size());
    std::memcpy(bytes.data(), &count, sizeof count);
    std::copy(tokens.begin(), tokens.end(), bytes.begin() + sizeof(Frame));
    return bytes;
}

const Frame* as_frame(const std::vector<uint8_t>& block) {
    return reinterpret_cast<const Frame*>(block.data());
}

// The conversion done the plain way, one byte per pixel: decode (paper where no run reaches,
// runs past the end dropped), scaled blit, row flip, then 8 pixels to a byte, first in bit 7.
std::vector<uint8_t> plain_decode(const std::vector<uint8_t>& tokens) {
    std::vector<uint8_t> pixels(FRAME_PIXELS, PLAIN_PAPER);
    size_t at = 0;
    for (const uint8_t t : tokens) {
        const size_t length = t < 128 ? t + 1u : t - 127u;
        for (size_t i = 0; i < length && at < pixels.size(); ++i, ++at)
            pixels[at] = t < 128 ? PLAIN_INK : PLAIN_PAPER;
    }
    return pixels;
}

std::vector<uint8_t> plain_bmp_pixels(const std::vector<uint8_t>& decoded, int32_t width,
                                      int32_t height) {
    std::vector<uint8_t> scaled(static_cast<size_t>(width) * height);
    blit_scaled_transparent(scaled.data(), width, height, decoded.data(), CANVAS_WIDTH,
                            CANVAS_HEIGHT, 0, 0, width, height);
    flip_rows(scaled.data(), width, height);
    std::vector<uint8_t> packed(scaled.size() / 8, 0);
    for (size_t i = 0; i < scaled.size(); ++i)
        if (scaled[i] == PLAIN_INK) packed[i / 8] |= static_cast<uint8_t>(0x80u >> (i % 8));
    return packed;
}

std::vector<uint8_t> fast_bmp_pixels(const std::vector<uint8_t>& tokens, int32_t width,
                                     int32_t height) {
    const std::vector<uint8_t> block = frame_block(tokens);
    OutputSampling sampling = make_output_sampling(width, height);
    // Guard bytes on both sides of the pixel array show a write outside it.
    std::vector<uint8_t> out(static_cast<size_t>(width) * height / 8 + 2, 0x5A);
    make_bmp_pixels(as_frame(block), &sampling, out.data() + 1);
    EXPECT_EQ(out.front(), 0x5A) << width << "x" << height << ": written before the pixel array";
    EXPECT_EQ(out.back(), 0x5A) << width << "x" << height << ": written past the pixel array";
    return {out.begin() + 1, out.end() - 1};
}

// Pixel (x, y) of a full-size pixel array, row 0 the top of the picture.
bool full_size_ink(const std::vector<uint8_t>& bytes, int64_t pixel) {
    const int64_t x = pixel % CANVAS_WIDTH;
    const int64_t y = pixel / CANVAS_WIDTH;
    return (bytes[static_cast<size_t>((CANVAS_HEIGHT - 1 - y) * 40 + x / 8)] >> (7 - x % 8) & 1) !=
           0;
}

std::vector<uint8_t> random_tokens(unsigned seed, size_t count) {
    std::mt19937 random(seed);
    std::vector<uint8_t> tokens(count);
    for (uint8_t& t : tokens) t = static_cast<uint8_t>(random());
    return tokens;
}

std::vector<uint8_t> alternating_tokens() {
    std::vector<uint8_t> tokens(FRAME_PIXELS);
    for (size_t i = 0; i < tokens.size(); ++i) tokens[i] = i % 2 == 0 ? 0 : 128;
    return tokens;
}

struct FrameCase {
    const char* name;
    std::vector<uint8_t> tokens;
};

std::vector<FrameCase> frame_cases() {
    return {
        {"drawn", picture_tokens(test_picture(3))},
        {"alternating pixels", alternating_tokens()},
        // About 76 800 pixels of random runs: some frames end short, others run past the end.
        {"random runs", random_tokens(5, 1200)},
        {"random runs, far too long", random_tokens(6, 5000)},
        {"empty", {}},
        {"all ink", std::vector<uint8_t>(600, 127)},
        {"one ink pixel at the very end",
         [] {
             std::vector<uint8_t> t(599, 255);
             t.push_back(254);
             t.push_back(0);
             return t;
         }()},
    };
}

std::vector<uint8_t> repeated(uint8_t token, size_t count, std::vector<uint8_t> tail = {}) {
    std::vector<uint8_t> tokens(count + tail.size(), token);
    std::copy(tail.begin(), tail.end(), tokens.begin() + static_cast<std::ptrdiff_t>(count));
    return tokens;
}

struct DecodeCase {
    const char* name;
    std::vector<uint8_t> tokens;
    int64_t ink_pixels;   // how many pixels come out ink
    int64_t first_paper;  // index of the first paper pixel (-1: none)
};

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

class FullSizePixels : public testing::TestWithParam<DecodeCase> {};

TEST_P(FullSizePixels, StayInTheArrayAndArePaddedWithPaper) {
    const DecodeCase& c = GetParam();
    const std::vector<uint8_t> bytes = fast_bmp_pixels(c.tokens, CANVAS_WIDTH, CANVAS_HEIGHT);
    int64_t ink = 0;
    int64_t first_paper = -1;
    for (int64_t i = 0; i < FRAME_PIXELS; ++i) {
        if (full_size_ink(bytes, i))
            ++ink;
        else if (first_paper < 0)
            first_paper = i;
    }
    EXPECT_EQ(ink, c.ink_pixels);
    EXPECT_EQ(first_paper, c.first_paper);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, FullSizePixels,
    testing::Values(
        DecodeCase{"Empty", {}, 0, 0}, DecodeCase{"AllPaper", repeated(255, 600), 0, 0},
        DecodeCase{"AllInk", repeated(127, 600), FRAME_PIXELS, -1},
        DecodeCase{"InkThenPaper", {4, 255, 132}, 5, 5}, DecodeCase{"ShortInkRun", {9}, 10, 10},
        DecodeCase{"PaperThenLastPixelInk", repeated(255, 599, {254, 0}), 1, 0},
        // 1000 ink pixels too many: the excess is dropped, nothing written past the picture.
        DecodeCase{"TooLong", repeated(127, 608), FRAME_PIXELS, -1},
        DecodeCase{"TooLongPaperAfter", repeated(127, 600, repeated(255, 40)), FRAME_PIXELS, -1}),
    [](const testing::TestParamInfo<DecodeCase>& info) { return info.param.name; });

// Ink runs of every length at every offset in a 64-pixel word, across rows, against a pixel list.
TEST(FullSizePixels, RunsOfEveryLengthAndOffsetMatchAPixelList) {
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
    const std::vector<uint8_t> bytes = fast_bmp_pixels(tokens, CANVAS_WIDTH, CANVAS_HEIGHT);
    for (size_t i = 0; i < static_cast<size_t>(FRAME_PIXELS); ++i)
        ASSERT_EQ(full_size_ink(bytes, static_cast<int64_t>(i)), i < expected.size() && expected[i])
            << i;
}

std::vector<std::pair<int32_t, int32_t>> every_output_size() {
    std::vector<std::pair<int32_t, int32_t>> sizes;
    for (int32_t w = OUTPUT_WIDTH_STEP; w <= MAX_OUTPUT_WIDTH; w += OUTPUT_WIDTH_STEP)
        for (int32_t h = OUTPUT_HEIGHT_STEP; h <= MAX_OUTPUT_HEIGHT; h += OUTPUT_HEIGHT_STEP)
            sizes.emplace_back(w, h);
    return sizes;
}

// The drawn picture and the random runs at every size the converter can be set to; the other
// frames at the sizes where the fast paths differ (full size, half size, odd steps, smallest).
TEST(BmpPixels, SameBytesAsThePlainConversion) {
    const std::vector<std::pair<int32_t, int32_t>> all = every_output_size();
    const std::vector<std::pair<int32_t, int32_t>> some = {
        {320, 240}, {160, 120}, {96, 130}, {288, 238}, {32, 2}, {320, 2}, {32, 240}, {224, 150}};
    for (const FrameCase& c : frame_cases()) {
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> decoded = plain_decode(c.tokens);
        const bool everywhere =
            c.name == std::string("drawn") || c.name == std::string("random runs");
        for (const auto& [width, height] : everywhere ? all : some) {
            ASSERT_EQ(fast_bmp_pixels(c.tokens, width, height),
                      plain_bmp_pixels(decoded, width, height))
                << width << "x" << height;
        }
    }
}

TEST(BmpPixels, BottomRowFirstLeftmostPixelInTheTopBit) {
    // Ink at pixels 0, 6, 9 and 15 of the top row, and at pixel 319 of the bottom row.
    std::vector<uint8_t> tokens = {0, 132, 0, 129, 0, 132, 0};
    const int32_t top_row_rest = CANVAS_WIDTH - 16;
    const int32_t paper_before_last =
        top_row_rest + CANVAS_WIDTH * (CANVAS_HEIGHT - 2) + CANVAS_WIDTH - 1;
    for (int32_t left = paper_before_last; left > 0; left -= 128)
        tokens.push_back(static_cast<uint8_t>(127 + std::min(left, 128)));
    tokens.push_back(0);
    const std::vector<uint8_t> bytes = fast_bmp_pixels(tokens, 320, 240);
    ASSERT_EQ(bytes.size(), 9600u);
    EXPECT_EQ(bytes[39], 0x01) << "bottom row, last pixel: first row of the file, last bit";
    const size_t top = 239 * 40;
    EXPECT_EQ(bytes[top], 0b1000'0010);
    EXPECT_EQ(bytes[top + 1], 0b0100'0001);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), 0), 9600 - 3);
}

TEST(OutputSampling, StepsInFixedPoint) {
    const OutputSampling half = make_output_sampling(160, 120);
    EXPECT_EQ(half.source_column[1], 2);
    EXPECT_EQ(half.source_column[159], 318);
    EXPECT_EQ(half.source_row[119], 238);
    // 320 * 4096 / 96 = 13653: column 95 takes 95 * 13653 >> 12 = 316.
    const OutputSampling odd = make_output_sampling(96, 130);
    EXPECT_EQ(odd.source_column[95], 316);
    // 240 * 4096 / 130 = 7561: row 129 takes 129 * 7561 >> 12 = 238.
    EXPECT_EQ(odd.source_row[129], 238);
    // The inverse maps: every output column and row found from the picture side.
    for (const OutputSampling* s : {&half, &odd}) {
        for (int32_t c = 0; c < s->width; ++c) {
            const uint16_t x = s->source_column[static_cast<size_t>(c)];
            EXPECT_LE(s->first_column[x], c);
            EXPECT_GT(s->first_column[x + 1u], c);
        }
        EXPECT_EQ(s->first_column[CANVAS_WIDTH], s->width);
        int32_t shown = 0;
        for (int32_t y = 0; y < CANVAS_HEIGHT; ++y) {
            const int16_t r = s->output_row[static_cast<size_t>(y)];
            if (r < 0) continue;
            ++shown;
            EXPECT_EQ(s->source_row[static_cast<size_t>(r)], y);
        }
        EXPECT_EQ(shown, s->height);
    }
}

}  // namespace
