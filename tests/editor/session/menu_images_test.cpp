#include "editor/session/menu_images.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "dib_bytes.h"
#include "support/temp_folder.h"

namespace {

using anim_test::dib_file;

std::vector<uint8_t> pixels_of(const ImageRef& image) {
    return std::vector<uint8_t>(image.bits, image.bits + image.width * image.height);
}

TEST(DecodeDib, FirstStoredRowOnTopWithTheTwoReplacements) {
    const std::vector<uint8_t> pixels = {1, 2, 3, 255, 0, 2, 1, 200};
    for (const int32_t stored_height : {2, -2}) {
        const std::vector<uint8_t> file = dib_file(4, stored_height, pixels);
        ImageRef image;
        ASSERT_EQ(decode_dib(file.data(), file.size(), &image), 0) << stored_height;
        EXPECT_EQ(image.width, 4);
        EXPECT_EQ(image.height, 2);
        EXPECT_EQ(pixels_of(image), (std::vector<uint8_t>{0, 10, 3, 255, 0, 10, 0, 200}));
        std::free(image.bits);
    }
}

TEST(DecodeDib, RefusesWhatIsNotAWholeDib) {
    struct Case {
        const char* name;
        std::vector<uint8_t> file;
    };
    std::vector<uint8_t> wrong_offset = dib_file(4, 1, {1, 2, 3, 4});
    const std::vector<uint8_t> headers_only = dib_file(4, 1, {});
    const std::vector<uint8_t> file_header_only(headers_only.begin(), headers_only.begin() + 14);
    wrong_offset[10] = 200;
    const std::vector<Case> cases = {
        {"not BM", dib_file(4, 1, {1, 2, 3, 4}, "MB")},
        {"empty", {}},
        {"only the file header", file_header_only},
        {"pixels cut short", dib_file(4, 2, {1, 2, 3, 4})},
        {"huge size", dib_file(0x7fffffff, 0x7fffffff, {1, 2, 3, 4})},
        {"most negative height", dib_file(4, INT32_MIN, {1, 2, 3, 4})},
        {"zero width", dib_file(0, 1, {})},
        {"negative width", dib_file(-4, 1, {1, 2, 3, 4})},
        {"offset past the end", wrong_offset},
    };
    for (const Case& c : cases) {
        ImageRef image;
        EXPECT_EQ(decode_dib(c.file.data(), c.file.size(), &image), -1) << c.name;
        EXPECT_EQ(image.bits, nullptr) << c.name;
    }
}

TEST(LoadMenuImages, SumsTheMissingImages) {
    test_support::TempFolder folder;
    const std::vector<uint8_t> good = dib_file(4, 1, {1, 2, 3, 4});
    test_support::write_file(folder.file("sysmenu.dib"), good);
    test_support::write_file(folder.file("stpmenu.dib"), good);
    test_support::write_file(folder.file("editmenu.dib"), dib_file(4, 1, {1, 2, 3, 4}, "XX"));
    MenuImages images;
    EXPECT_EQ(load_menu_images(folder.folder().c_str(), &images), -2);
    EXPECT_NE(images.sysmenu.bits, nullptr);
    EXPECT_EQ(images.animmenu.bits, nullptr);
    EXPECT_NE(images.stpmenu.bits, nullptr);
    EXPECT_EQ(images.editmenu.bits, nullptr);
    test_support::write_file(folder.file("animmenu.dib"), good);
    test_support::write_file(folder.file("editmenu.dib"), good);
    EXPECT_EQ(load_menu_images(folder.folder().c_str(), &images), 0);
    EXPECT_EQ(pixels_of(images.editmenu), (std::vector<uint8_t>{0, 10, 3, 4}));
    release_menu_images(&images);
    EXPECT_EQ(images.sysmenu.bits, nullptr);
}

}  // namespace
