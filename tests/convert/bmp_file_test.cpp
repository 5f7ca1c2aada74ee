#include <gtest/gtest.h>

#include <vector>

#include "convert/bmp_file.h"

namespace {

uint32_t u32_at(const uint8_t* bytes, int at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<uint32_t>(bytes[at + 3]) << 24;
}
uint32_t u16_at(const uint8_t* bytes, int at) { return bytes[at] | bytes[at + 1] << 8; }

struct HeaderCase {
    int32_t width;
    int32_t height;
    uint32_t file_size;
    uint32_t image_size;
};

void PrintTo(const HeaderCase& c, std::ostream* os) { *os << c.width << "x" << c.height; }

class BmpHeader : public testing::TestWithParam<HeaderCase> {};

TEST_P(BmpHeader, EveryFieldLittleEndian) {
    const HeaderCase c = GetParam();
    uint8_t header[BMP_HEADER_SIZE];
    std::fill(std::begin(header), std::end(header), uint8_t{0xCC});
    make_bmp_header(c.width, c.height, header);
    EXPECT_EQ(header[0], 'B');
    EXPECT_EQ(header[1], 'M');
    EXPECT_EQ(u32_at(header, 2), c.file_size);
    EXPECT_EQ(u16_at(header, 6), 0u);
    EXPECT_EQ(u16_at(header, 8), 0u);
    EXPECT_EQ(u32_at(header, 10), 62u);
    EXPECT_EQ(u32_at(header, 14), 40u);
    EXPECT_EQ(u32_at(header, 18), static_cast<uint32_t>(c.width));
    EXPECT_EQ(u32_at(header, 22), static_cast<uint32_t>(c.height));
    EXPECT_EQ(u16_at(header, 26), 1u);
    EXPECT_EQ(u16_at(header, 28), 1u);
    EXPECT_EQ(u32_at(header, 30), 0u);
    EXPECT_EQ(u32_at(header, 34), c.image_size);
    EXPECT_EQ(u32_at(header, 38), 0u);
    EXPECT_EQ(u32_at(header, 42), 0u);
    EXPECT_EQ(u32_at(header, 46), 2u);
    EXPECT_EQ(u32_at(header, 50), 2u);
    EXPECT_EQ(u32_at(header, 54), 0x00FFFFFFu) << "entry 0 white";
    EXPECT_EQ(u32_at(header, 58), 0u) << "entry 1 black";
}

INSTANTIATE_TEST_SUITE_P(Sizes, BmpHeader,
                         testing::Values(HeaderCase{320, 240, 9662, 9600},
                                         HeaderCase{160, 120, 62 + 2400, 2400},
                                         HeaderCase{32, 2, 62 + 8, 8},
                                         HeaderCase{288, 238, 62 + 8568, 8568}));

}  // namespace
