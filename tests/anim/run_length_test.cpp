#include "anim/run_length.h"

#include "support/anim_file_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

namespace {

struct FrameDeleter {
    void operator()(Frame* frame) const { free_frame(frame); }
};
using FramePtr = std::unique_ptr<Frame, FrameDeleter>;

FramePtr frame_of(const std::vector<uint8_t>& tokens) {
    FramePtr frame(allocate_frame(static_cast<int32_t>(tokens.size())));
    if (!tokens.empty()) {
        std::memcpy(frame_tokens(frame.get()), tokens.data(), tokens.size());
    }
    return frame;
}

std::vector<uint8_t> encode(const std::vector<uint8_t>& image, int width, int height) {
    std::vector<uint8_t> tokens(static_cast<std::size_t>(width) * height);
    const int32_t count = encode_runs(image.data(), width, height, tokens.data(),
                                      static_cast<int32_t>(tokens.size()));
    EXPECT_GE(count, 0);
    tokens.resize(count < 0 ? 0 : static_cast<std::size_t>(count));
    return tokens;
}

std::vector<uint8_t> canvas(uint8_t value) { return std::vector<uint8_t>(FRAME_PIXELS, value); }

// A picture like a user's: filled discs and strokes of ink on paper, with onion-skin greys.
std::vector<uint8_t> drawn_picture(unsigned seed) {
    std::vector<uint8_t> image = canvas(CANVAS_PAPER);
    std::mt19937 random(seed);
    for (int shape = 0; shape < 12; ++shape) {
        const int cx = static_cast<int>(random() % CANVAS_WIDTH);
        const int cy = static_cast<int>(random() % CANVAS_HEIGHT);
        const int r = 3 + static_cast<int>(random() % 40);
        const uint8_t value = shape % 3 == 0 ? static_cast<uint8_t>(190) : CANVAS_INK;
        for (int y = std::max(0, cy - r); y < std::min(CANVAS_HEIGHT, cy + r); ++y) {
            for (int x = std::max(0, cx - r); x < std::min(CANVAS_WIDTH, cx + r); ++x) {
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r) {
                    image[static_cast<std::size_t>(y) * CANVAS_WIDTH + x] = value;
                }
            }
        }
    }
    for (int i = 0; i < 3000; ++i) {
        image[random() % FRAME_PIXELS] = CANVAS_INK;
    }
    return image;
}

struct EncodeCase {
    const char* name;
    std::vector<uint8_t> image;
    std::vector<uint8_t> expected_start;
    std::size_t expected_count;
};

std::vector<EncodeCase> encode_cases() {
    std::vector<EncodeCase> cases;
    cases.push_back({"all white", canvas(CANVAS_PAPER), {255, 255, 255}, 600});
    cases.push_back({"all black", canvas(CANVAS_INK), {127, 127, 127}, 600});
    std::vector<uint8_t> alternating(FRAME_PIXELS);
    for (int i = 0; i < FRAME_PIXELS; ++i) {
        alternating[i] = i % 2 == 0 ? CANVAS_INK : CANVAS_PAPER;
    }
    cases.push_back({"alternating", alternating, {0, 128, 0, 128}, 76800});
    std::vector<uint8_t> grey_first = canvas(CANVAS_PAPER);
    grey_first[0] = 190;
    cases.push_back({"grey pixel 0 is paper", grey_first, {255, 255}, 600});
    std::vector<uint8_t> black_at_129 = canvas(CANVAS_PAPER);
    black_at_129[129] = CANVAS_INK;
    // 129 white: 128 then 1; the black pixel; then 76 670 white = 598 x 128 + 126.
    cases.push_back({"129 white then black", black_at_129, {255, 128, 0, 255}, 602});
    std::vector<uint8_t> black_at_128 = canvas(CANVAS_PAPER);
    black_at_128[128] = CANVAS_INK;
    cases.push_back({"exactly 128 white then black", black_at_128, {255, 0, 255}, 601});
    std::vector<uint8_t> zero_values = canvas(0);
    cases.push_back({"transparent marks count as paper", zero_values, {255}, 600});
    return cases;
}

TEST(EncodeRuns, KnownPictures) {
    for (const EncodeCase& c : encode_cases()) {
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> tokens = encode(c.image, CANVAS_WIDTH, CANVAS_HEIGHT);
        EXPECT_EQ(tokens.size(), c.expected_count);
        ASSERT_GE(tokens.size(), c.expected_start.size());
        EXPECT_TRUE(std::equal(c.expected_start.begin(), c.expected_start.end(), tokens.begin()));
    }
}

TEST(EncodeRuns, RunsAreSplitOnlyAfterFullRuns) {
    const std::vector<uint8_t> tokens = encode(drawn_picture(7), CANVAS_WIDTH, CANVAS_HEIGHT);
    int64_t pixels = 0;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const bool ink = tokens[i] < 128;
        pixels += ink ? tokens[i] + 1 : tokens[i] - 127;
        if (i > 0 && (tokens[i - 1] < 128) == ink) {
            EXPECT_TRUE(tokens[i - 1] == 127 || tokens[i - 1] == 255) << "token " << i;
        }
    }
    EXPECT_EQ(pixels, FRAME_PIXELS);
}

TEST(EncodeRuns, RefusesWhatItCannotEncode) {
    const std::vector<uint8_t> image = canvas(CANVAS_PAPER);
    uint8_t out[600];
    EXPECT_EQ(encode_runs(image.data(), 320, 240, out, 599), -1);
    EXPECT_EQ(encode_runs(image.data(), 320, 240, out, 600), 600);
    EXPECT_EQ(encode_runs(image.data(), 0, 240, out, 600), -1);
    EXPECT_EQ(encode_runs(image.data(), 320, -1, out, 600), -1);
}

TEST(EncodeRuns, RoundTripsDrawnPicturesOfAnySize) {
    struct Size {
        int width;
        int height;
    };
    for (const Size size : {Size{320, 240}, Size{1, 1}, Size{37, 5}, Size{200, 3}}) {
        for (unsigned seed = 1; seed <= 3; ++seed) {
            SCOPED_TRACE(testing::Message()
                         << size.width << "x" << size.height << " seed " << seed);
            std::vector<uint8_t> picture = drawn_picture(seed);
            picture.resize(static_cast<std::size_t>(size.width) * size.height);
            const FramePtr frame = frame_of(encode(picture, size.width, size.height));
            std::vector<uint8_t> drawn(picture.size(), 0);
            draw_frame(drawn.data(), size.width, size.height, frame.get(), CANVAS_INK,
                       CANVAS_PAPER);
            for (uint8_t& value : picture) {
                value = value == CANVAS_INK ? CANVAS_INK : CANVAS_PAPER;
            }
            EXPECT_EQ(drawn, picture);
            EXPECT_EQ(frame_pixel_count(frame.get()), static_cast<int64_t>(picture.size()));
        }
    }
}

// The encoder as a plain pixel loop: what the word-at-a-time encoder must reproduce exactly.
std::vector<uint8_t> plain_encode(const std::vector<uint8_t>& image) {
    std::vector<uint8_t> tokens;
    bool ink = image[0] == CANVAS_INK;
    int length = 1;
    const auto put = [&] {
        tokens.push_back(static_cast<uint8_t>(ink ? length - 1 : length + 127));
    };
    for (std::size_t i = 1; i < image.size(); ++i) {
        const bool pixel_ink = image[i] == CANVAS_INK;
        if (pixel_ink == ink && length < MAX_RUN) {
            ++length;
            continue;
        }
        put();
        ink = pixel_ink;
        length = 1;
    }
    put();
    return tokens;
}

// Pictures whose runs end at every offset inside and across 64-pixel blocks.
std::vector<uint8_t> random_runs_picture(unsigned seed, std::size_t pixels, int longest_run) {
    std::mt19937 random(seed);
    std::vector<uint8_t> image(pixels);
    const uint8_t papers[] = {CANVAS_PAPER, 0, 190, 11, 9, 138};
    bool ink = random() % 2 == 0;
    for (std::size_t i = 0; i < pixels;) {
        const std::size_t run = 1 + random() % static_cast<unsigned>(longest_run);
        for (std::size_t k = 0; k < run && i < pixels; ++k, ++i) {
            image[i] = ink ? CANVAS_INK : papers[random() % 6];
        }
        ink = !ink;
    }
    return image;
}

TEST(EncodeRuns, SameTokensAsThePlainLoop) {
    struct Case {
        const char* name;
        std::vector<uint8_t> image;
    };
    std::vector<Case> cases;
    for (const EncodeCase& c : encode_cases()) {
        cases.push_back({c.name, c.image});
    }
    cases.push_back({"drawn", drawn_picture(21)});
    for (const int longest : {1, 3, 70, 200, 1000}) {
        for (const std::size_t pixels :
             {std::size_t{FRAME_PIXELS}, std::size_t{1}, std::size_t{63}, std::size_t{64},
              std::size_t{65}, std::size_t{127}, std::size_t{129}, std::size_t{1000}}) {
            cases.push_back(
                {"random runs",
                 random_runs_picture(static_cast<unsigned>(longest + pixels), pixels, longest)});
        }
    }
    std::vector<uint8_t> block_edges = canvas(CANVAS_PAPER);
    for (std::size_t i = 63; i < block_edges.size(); i += 64) {
        block_edges[i] = CANVAS_INK;
    }
    cases.push_back({"ink at the last pixel of every block", block_edges});
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << ", " << c.image.size() << " pixels");
        const auto pixels = static_cast<int>(c.image.size());
        EXPECT_EQ(encode(c.image, pixels, 1), plain_encode(c.image));
    }
}

TEST(EncodeRuns, FailsExactlyWhenTheTokensDoNotFit) {
    // Long runs, and runs so short that whole groups of tokens are written at once.
    for (const int longest : {300, 3, 1}) {
        SCOPED_TRACE(testing::Message() << "runs up to " << longest);
        const std::vector<uint8_t> image = random_runs_picture(3, 5000, longest);
        const std::vector<uint8_t> expected = plain_encode(image);
        const auto needed = static_cast<int32_t>(expected.size());
        for (const int32_t room : {needed - 1, needed - 7, needed / 2}) {
            std::vector<uint8_t> out(static_cast<std::size_t>(room), 0xEE);
            EXPECT_EQ(encode_runs(image.data(), 5000, 1, out.data(), room), -1) << room;
        }
        // Exactly sized, so the address sanitizer sees any byte written past the room.
        std::vector<uint8_t> out(expected.size());
        EXPECT_EQ(encode_runs(image.data(), 5000, 1, out.data(), needed), needed);
        EXPECT_EQ(out, expected);
    }
}

// The drawing as a plain pixel loop, for every pair of print values.
TEST(DrawFrame, SameCanvasAsAPixelLoop) {
    std::vector<std::vector<uint8_t>> token_lists = {encode(drawn_picture(4), 320, 240),
                                                     std::vector<uint8_t>(FRAME_PIXELS, 0),
                                                     std::vector<uint8_t>(700, 200)};
    // A frame that ends early after one-pixel runs: nothing past its last pixel may change.
    for (const std::size_t count : {std::size_t{17}, std::size_t{33}}) {
        std::vector<uint8_t> tokens(count);
        for (std::size_t k = 0; k < count; ++k) {
            tokens[k] = k % 2 == 0 ? 0 : 128;
        }
        token_lists.push_back(tokens);
    }
    std::mt19937 random(9);
    for (const std::size_t count : {std::size_t{1200}, std::size_t{3000}, std::size_t{40}}) {
        std::vector<uint8_t> tokens(count);
        for (uint8_t& t : tokens) {
            t = static_cast<uint8_t>(random());
        }
        token_lists.push_back(tokens);
    }
    struct Size {
        int width;
        int height;
    };
    for (const std::vector<uint8_t>& tokens : token_lists) {
        const FramePtr frame = frame_of(tokens);
        for (const Size size : {Size{320, 240}, Size{33, 7}, Size{1, 200}, Size{320, 1}}) {
            for (const auto& [ink, paper] :
                 {std::pair<uint8_t, uint8_t>{10, 255}, {0, 255}, {190, 0}, {0, 0}}) {
                SCOPED_TRACE(testing::Message()
                             << tokens.size() << " tokens, " << size.width << "x" << size.height
                             << ", values " << int(ink) << "," << int(paper));
                const std::size_t pixels = static_cast<std::size_t>(size.width) * size.height;
                std::vector<uint8_t> expected = random_runs_picture(1, pixels, 5);
                std::vector<uint8_t> drawn = expected;
                std::size_t at = 0;
                for (const uint8_t t : tokens) {
                    const std::size_t length = t < 128 ? t + 1u : t - 127u;
                    const uint8_t value = t < 128 ? ink : paper;
                    for (std::size_t k = 0; k < length && at < pixels; ++k, ++at) {
                        if (value != 0) {
                            expected[at] = value;
                        }
                    }
                }
                EXPECT_EQ(
                    draw_frame(drawn.data(), size.width, size.height, frame.get(), ink, paper),
                    static_cast<int32_t>(tokens.size()));
                ASSERT_EQ(drawn, expected);
            }
        }
    }
}

TEST(DrawFrame, PrintValuesOfZeroLeaveTheirPixels) {
    const FramePtr frame = frame_of(test_support::half_black_tokens());
    struct Case {
        uint8_t ink;
        uint8_t paper;
        uint8_t top;
        uint8_t bottom;
    };
    for (const Case c : {Case{0, 0, 77, 77}, Case{0, 255, 77, 255}, Case{190, 0, 190, 77},
                         Case{10, 255, 10, 255}}) {
        SCOPED_TRACE(testing::Message() << int(c.ink) << "," << int(c.paper));
        std::vector<uint8_t> image = canvas(77);
        EXPECT_EQ(draw_frame(image.data(), 320, 240, frame.get(), c.ink, c.paper), 600);
        EXPECT_EQ(image.front(), c.top);
        EXPECT_EQ(image[FRAME_PIXELS / 2 - 1], c.top);
        EXPECT_EQ(image[FRAME_PIXELS / 2], c.bottom);
        EXPECT_EQ(image.back(), c.bottom);
    }
}

TEST(DrawFrame, EmptyFrameDrawsNothing) {
    const FramePtr frame(new_empty_frame());
    std::vector<uint8_t> image = drawn_picture(3);
    const std::vector<uint8_t> before = image;
    EXPECT_EQ(draw_frame(image.data(), 320, 240, frame.get(), 10, 255), 0);
    EXPECT_EQ(image, before);
    EXPECT_EQ(frame_pixel_count(frame.get()), 0);
}

TEST(DrawFrame, StopsAtTheEndOfItsTarget) {
    // 76 800 runs of 128 describe 128 times the canvas; the target is exactly sized, so any
    // write past it is caught by the address sanitizer.
    const FramePtr huge = frame_of(std::vector<uint8_t>(FRAME_PIXELS, 127));
    for (const int width : {320, 7, 1}) {
        const int height = width == 320 ? 240 : 3;
        std::vector<uint8_t> image(static_cast<std::size_t>(width) * height, 0);
        EXPECT_EQ(draw_frame(image.data(), width, height, huge.get(), 10, 255), FRAME_PIXELS);
        EXPECT_EQ(std::count(image.begin(), image.end(), 10), static_cast<long>(image.size()));
    }
    std::vector<uint8_t> none;
    EXPECT_EQ(draw_frame(none.data(), 0, 0, huge.get(), 10, 255), FRAME_PIXELS);
}

TEST(DrawFrame, ToggledBitSevenGivesTheInvertedPicture) {
    const std::vector<uint8_t> picture = drawn_picture(11);
    std::vector<uint8_t> tokens = encode(picture, 320, 240);
    for (uint8_t& token : tokens) {
        token ^= 0x80;
    }
    const FramePtr inverted = frame_of(tokens);
    std::vector<uint8_t> drawn = canvas(0);
    draw_frame(drawn.data(), 320, 240, inverted.get(), CANVAS_INK, CANVAS_PAPER);
    for (std::size_t i = 0; i < picture.size(); ++i) {
        ASSERT_EQ(drawn[i] == CANVAS_INK, picture[i] != CANVAS_INK) << "pixel " << i;
    }
}

}  // namespace
