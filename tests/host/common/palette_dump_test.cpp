// The palette dump of the hosts without a system palette, read back from paldump.dat.
#include "host/common/palette_dump.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "host/common/palette_store.h"
#include "host/host.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

// Runs in a fresh current directory with the palette as the editor's start-up lays it out.
class PaletteDumpTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = fs::current_path();
        fs::current_path(folder_.path());
        palette_open();
        palette_init_gray(PALETTE_GRAY_KEY);
        store_fixed_system_colors();  // what these hosts' load_system_colors stores
        palette_set(10, 0);
    }
    void TearDown() override {
        palette_close();
        fs::current_path(previous_);
    }
    static std::string dumped() {
        std::ifstream in(PALETTE_DUMP_FILE, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static std::string pair_of_lines(int index, PaletteEntry store, PaletteEntry shown) {
        auto line = [index](const char* tag, PaletteEntry e) {
            return "\n " + std::string(tag) + " " + std::to_string(index) +
                   "  r = " + std::to_string(e.red) + " g = " + std::to_string(e.green) +
                   " b = " + std::to_string(e.blue);
        };
        return line("VVD", store) + line("WIN", shown);
    }
    static std::string expected_dump(const int* differing, int count) {
        std::string text;
        for (int i = 0; i < 256; ++i) {
            for (int k = 0; k < count; ++k) {
                if (differing[k] == i) text += "\nwarning not mach system pallete";
            }
            text += pair_of_lines(i, palette_get(i), fixed_system_palette_entry(i));
        }
        return text;
    }
    test_support::TempFolder folder_{"mepu-palette-dump"};
    fs::path previous_;
};

TEST_F(PaletteDumpTest, TheStartUpPaletteMatchesTheDisplayEverywhere) {
    dump_palette();
    const std::string text = dumped();
    EXPECT_EQ(text, expected_dump(nullptr, 0));
    EXPECT_EQ(text.find("warning"), std::string::npos);
    // Spot checks that do not go through the expected text's own builder.
    EXPECT_NE(text.find("\n VVD 0  r = 0 g = 0 b = 0\n WIN 0  r = 0 g = 0 b = 0"),
              std::string::npos);
    EXPECT_NE(text.find("\n VVD 190  r = 195 g = 195 b = 195\n WIN 190  r = 195 g = 195 b = 195"),
              std::string::npos);
    EXPECT_NE(text.find("\n WIN 255  r = 255 g = 255 b = 255"), std::string::npos);
    EXPECT_EQ(text.rfind("\n WIN 255"),
              text.size() - std::string("\n WIN 255  r = 255 g = 255 b = 255").size());
}

TEST_F(PaletteDumpTest, EachDifferenceIsWarnedBeforeItsPair) {
    struct Change {
        int index;
        uint32_t colour;
    } changes[] = {{0, 0xFFFFFF}, {10, 0x000001}, {128, 0x00FF00}, {255, 0x010101}};
    for (const Change& c : changes) palette_set(c.index, c.colour);
    dump_palette();
    const std::string text = dumped();
    const int differing[] = {0, 10, 128, 255};
    EXPECT_EQ(text, expected_dump(differing, 4));
    EXPECT_NE(text.find("\nwarning not mach system pallete\n VVD 128  r = 0 g = 255 b = 0\n"
                        " WIN 128  r = 127 g = 127 b = 127"),
              std::string::npos);
    std::size_t warnings = 0;
    for (std::size_t at = text.find("warning"); at != std::string::npos;
         at = text.find("warning", at + 1))
        ++warnings;
    EXPECT_EQ(warnings, 4u);
}

TEST_F(PaletteDumpTest, NothingIsWrittenWhereTheFileCannotBeOpened) {
    fs::create_directory(PALETTE_DUMP_FILE);  // a folder of that name cannot be opened as a file
    dump_palette();
    EXPECT_TRUE(fs::is_directory(PALETTE_DUMP_FILE));
}

}  // namespace
