#include "host/common/palette_store.h"

#include <gtest/gtest.h>

#include "host/host.h"

namespace {
class PaletteStoreTest : public ::testing::Test {
protected:
    void SetUp() override { palette_open(); }
    void TearDown() override { palette_close(); }
};

bool same(PaletteEntry a, PaletteEntry b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

TEST_F(PaletteStoreTest, GrayRampFollowsTheAccumulator) {
    palette_init_gray(PALETTE_GRAY_KEY);
    struct Case {
        int entry;
        int level;
    } cases[] = {{10, 0}, {11, 1}, {12, 2}, {128, 127}, {190, 195}, {244, 253}, {245, 254}};
    for (const Case& c : cases) {
        const PaletteEntry e = palette_get(c.entry);
        EXPECT_EQ(e.red, c.level) << "entry " << c.entry;
        EXPECT_EQ(e.green, c.level) << "entry " << c.entry;
        EXPECT_EQ(e.blue, c.level) << "entry " << c.entry;
    }
    for (int n = 0; n <= 235; ++n) {
        EXPECT_EQ(palette_get(10 + n).red, (n * 71089) >> 16) << "entry " << 10 + n;
    }
}

TEST_F(PaletteStoreTest, GrayRampLeavesTheEndsAlone) {
    const uint32_t marker = 0x123456;
    palette_set(9, marker);
    palette_set(246, marker);
    palette_init_gray(PALETTE_GRAY_KEY);
    EXPECT_TRUE(same(palette_get(9), {0x56, 0x34, 0x12}));
    EXPECT_TRUE(same(palette_get(246), {0x56, 0x34, 0x12}));
}

TEST_F(PaletteStoreTest, AnyOtherKeyChangesNothing) {
    for (int i = 0; i < 256; ++i) palette_set(i, 0x0A0B0C);
    for (int key : {0, 10999, 11001, -11000, 110000}) {
        palette_init_gray(key);
        for (int i = 0; i < 256; ++i) {
            ASSERT_TRUE(same(palette_get(i), {0x0C, 0x0B, 0x0A}))
                << "key " << key << " entry " << i;
        }
    }
}

TEST_F(PaletteStoreTest, SetUnpacksRedGreenBlueAndRefusesBadIndices) {
    EXPECT_EQ(palette_set(0, 0x00000000), 0);
    EXPECT_EQ(palette_set(255, 0xFF112233), 0);  // the top byte is not a colour
    EXPECT_TRUE(same(palette_get(255), {0x33, 0x22, 0x11}));
    for (int bad : {-1, 256, 1000, INT32_MIN}) {
        EXPECT_EQ(palette_set(bad, 0xFFFFFF), -1) << bad;
    }
    EXPECT_TRUE(same(palette_get(0), {0, 0, 0}));
}

TEST_F(PaletteStoreTest, GetOutsideTheTableReadsEntryZero) {
    palette_set(0, 0x010203);
    for (int bad : {-1, 256, 300, INT32_MAX}) {
        EXPECT_TRUE(same(palette_get(bad), {3, 2, 1})) << bad;
    }
}

TEST_F(PaletteStoreTest, FixedSystemColorsPutBlackFirstAndWhiteLast) {
    palette_init_gray(PALETTE_GRAY_KEY);
    store_fixed_system_colors();
    EXPECT_TRUE(same(palette_get(0), {0, 0, 0}));
    EXPECT_TRUE(same(palette_get(255), {255, 255, 255}));
    EXPECT_EQ(palette_get(128).red, 127);  // the ramp is untouched
}

TEST(PaletteStoreClosed, OperationsOnAClosedStoreAreHarmless) {
    palette_close();
    EXPECT_EQ(palette_set(5, 0xFFFFFF), -1);
    EXPECT_TRUE(same(palette_get(5), {0, 0, 0}));
    palette_init_gray(PALETTE_GRAY_KEY);
    EXPECT_EQ(palette_store().table, nullptr);
}
}  // namespace
