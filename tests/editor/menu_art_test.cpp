// The delivered menu images: one opaque face on every button's rectangle, nothing else over the
// buttons' rows, and only palette values the editor draws with.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "editor/session/menu_images.h"
#include "editor/menu_pages.h"

namespace {

struct ImageFile {
    int page;
    const char* name;
};

constexpr ImageFile IMAGE_FILES[] = {
    {SYSTEM_PAGE, "sysmenu.dib"},
    {DRAWING_PAGE, "animmenu.dib"},
    {STAMP_PAGE, "stpmenu.dib"},
    {EDIT_PAGE, "editmenu.dib"},
};

// The buttons start at row 32; the rows above hold the page's title.
constexpr int FIRST_BUTTON_ROW = 32;

bool on_a_button(const MenuPage& page, int x, int y) {
    for (const MenuButton& button : page.buttons)
        if (button_contains(page, button, x, y)) return true;
    return false;
}

TEST(MenuArtTest, FacesCoverExactlyTheButtonRectangles) {
    for (const ImageFile& file : IMAGE_FILES) {
        const std::string path = std::string(MEPU_DATA_DIR) + "/" + file.name;
        ImageRef image;
        ASSERT_EQ(load_menu_image(path.c_str(), &image), 0) << path;
        EXPECT_EQ(image.width, 320) << file.name;
        EXPECT_EQ(image.height, 240) << file.name;
        const MenuPage* page = find_menu_page(file.page);
        ASSERT_NE(page, nullptr);
        int wrong = 0;
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                const uint8_t value = image.bits[y * image.width + x];
                const bool expect_face = on_a_button(*page, x, y);
                // 0 is transparent; 10 black; 11-245 the grey ramp; 255 white.
                const bool drawable = value == 0 || (value >= 10 && value <= 245) || value == 255;
                if (!drawable || (expect_face && value == 0) ||
                    (!expect_face && y >= FIRST_BUTTON_ROW && value != 0)) {
                    if (wrong++ < 5)
                        ADD_FAILURE() << file.name << " (" << x << "," << y << ") = " << int(value);
                }
            }
        }
        EXPECT_EQ(wrong, 0) << file.name;
        std::free(image.bits);
    }
}

}  // namespace
