// The Win32 host's palette dump, written by a test build that lays out the palette as the editor
// does, read back from paldump.dat.
#include <gtest/gtest.h>

#include <string>

#include "wine_driver.h"

namespace {

std::string dump_of(const char* arguments) {
    const std::string folder = make_scratch_folder("mepu-paldump");
    DrivenProgram program;
    if (!program.start(windows_path(MEPU_PALETTE_PROBE), arguments, folder)) return "";
    program.wait_exit();
    const std::vector<unsigned char> bytes = read_file(folder + "\\paldump.dat");
    return std::string(bytes.begin(), bytes.end());
}

std::string pair_of_lines(int index, int store_level, int shown_level) {
    auto line = [index](const char* tag, int level) {
        const std::string l = std::to_string(level);
        return "\r\n " + std::string(tag) + " " + std::to_string(index) + "  r = " + l +
               " g = " + l + " b = " + l;
    };
    return line("VVD", store_level) + line("WIN", shown_level);
}

TEST(PaletteDump, StoreBesideTheDisplaysPaletteInTextMode) {
    const std::string text = dump_of("");
    ASSERT_FALSE(text.empty()) << "no paldump.dat";
    // Text mode: every line break is CR LF; 256 pairs of lines.
    std::size_t pairs = 0;
    for (std::size_t at = text.find("\r\n VVD "); at != std::string::npos;
         at = text.find("\r\n VVD ", at + 1))
        ++pairs;
    EXPECT_EQ(pairs, 256u);
    EXPECT_EQ(text.find("\n VVD"), text.find("\r\n VVD") + 1);
    // The ends come from the display at start-up and the ramp is realised as it is: the two
    // palettes agree everywhere. Entries 0 and 10 are black.
    EXPECT_EQ(text.find("warning"), std::string::npos);
    EXPECT_NE(text.find(pair_of_lines(0, 0, 0)), std::string::npos) << text.substr(0, 200);
    EXPECT_NE(text.find("\r\n VVD 10  r = 0 g = 0 b = 0"), std::string::npos);
    EXPECT_NE(text.find("\r\n VVD 190  r = 195 g = 195 b = 195"), std::string::npos);
    EXPECT_NE(text.find("\r\n VVD 255  r = 255 g = 255 b = 255"), std::string::npos);
}

TEST(PaletteDump, AChangedEntryIsWarnedAbout) {
    const std::string text = dump_of("changed");
    ASSERT_FALSE(text.empty()) << "no paldump.dat";
    EXPECT_NE(text.find("\r\nwarning not mach system pallete\r\n VVD 128  r = 0 g = 255 b = 0\r\n"
                        " WIN 128  "),
              std::string::npos)
        << text.substr(0, 400);
}

}  // namespace
