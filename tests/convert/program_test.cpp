// The real m2bmp program run from a shell, and its output read by an independent BMP decoder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "convert_test_support.h"

namespace {

namespace fs = std::filesystem;

std::string quoted(const std::string& text) { return "'" + text + "'"; }

int shell(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class Program : public testing::Test {
protected:
    ScratchFolder folder;
};

TEST_F(Program, ExitStatusTellsWhetherEveryFrameWasWritten) {
    write_bytes(folder.path() / "in.mpa", mpa_of_test_pictures(2));
    const std::string m2bmp = quoted(M2BMP_PROGRAM);
    const std::string quiet = " >/dev/null 2>&1";
    EXPECT_EQ(shell(m2bmp + " --help" + quiet), 0);
    EXPECT_EQ(shell(m2bmp + " --width 32" + quiet), 2);
    // One file alone is a file dropped on the program: the dialog opens and stays (timeout ends
    // it with 124) instead of a usage error.
    EXPECT_EQ(shell("QT_QPA_PLATFORM=offscreen timeout 3 " + m2bmp + " " +
                    quoted(folder.file("in.mpa")) + quiet),
              124);
    EXPECT_EQ(shell(m2bmp + " " + quoted(folder.file("in.mpa")) + " " + quoted(folder.file("out")) +
                    quiet),
              0);
    EXPECT_EQ(shell(m2bmp + " " + quoted(folder.file("absent.mpa")) + " " +
                    quoted(folder.file("out")) + quiet),
              1);
    EXPECT_EQ(shell(m2bmp + " " + quoted(folder.file("in.mpa")) + " " +
                    quoted(folder.file("missing/out")) + quiet),
              1);
    EXPECT_TRUE(fs::exists(folder.path() / "out0001.BMP"));
}

TEST_F(Program, AnIndependentDecoderSeesThePictures) {
    if (shell("command -v convert >/dev/null 2>&1 && command -v identify >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "ImageMagick is not installed";
    write_bytes(folder.path() / "in.mpa", mpa_of_test_pictures(2));
    ASSERT_EQ(
        shell(quoted(M2BMP_PROGRAM) + " --width 160 --height 120 " + quoted(folder.file("in.mpa")) +
              " " + quoted(folder.file("out")) + " >/dev/null"),
        0);
    const std::string bmp = folder.file("out0001.BMP");
    ASSERT_EQ(shell("identify -format '%m %w %h\\n' " + quoted(bmp) + " > " +
                    quoted(folder.file("identify.txt"))),
              0);
    const std::vector<uint8_t> described = read_file(folder.path() / "identify.txt");
    EXPECT_EQ(std::string(described.begin(), described.end()), "BMP3 160 120\n");
    // One grey byte per pixel, top row first: 0 black, 255 white.
    ASSERT_EQ(
        shell("convert " + quoted(bmp) + " -depth 8 gray:" + quoted(folder.file("pixels.gray"))),
        0);
    const std::vector<uint8_t> grey = read_file(folder.path() / "pixels.gray");
    ASSERT_EQ(grey.size(), 160u * 120u);
    const std::vector<bool> picture = test_picture(1);
    for (int r = 0; r < 120; ++r)
        for (int c = 0; c < 160; ++c) {
            const uint8_t expected = picture[static_cast<size_t>(2 * r * 320 + 2 * c)] ? 0 : 255;
            ASSERT_EQ(grey[static_cast<size_t>(r * 160 + c)], expected) << c << "," << r;
        }
}

TEST_F(Program, GifIsAcceptedByGifsicleAndTheSameAsEveryBuildWrites) {
    write_bytes(folder.path() / "in.mpa", gif_comparison_animation());
    const std::string gif = folder.file("out.gif");
    ASSERT_EQ(shell(quoted(M2BMP_PROGRAM) + " --gif --scale 2 " + quoted(folder.file("in.mpa")) +
                    " " + quoted(gif) + " >/dev/null"),
              0);
    EXPECT_EQ(read_file(gif), read_file(GIF_REFERENCE));
    if (shell("command -v gifsicle >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "gifsicle is not installed";
    // gifsicle prints its complaints on standard error and fails on a broken file.
    EXPECT_EQ(shell("gifsicle --info " + quoted(gif) + " >/dev/null 2>" +
                    quoted(folder.file("complaints"))),
              0);
    EXPECT_TRUE(read_file(folder.path() / "complaints").empty());
}

}  // namespace
