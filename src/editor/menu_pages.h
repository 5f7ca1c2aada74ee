// The four button pages of the menu and their fixed button tables.
#pragma once

#include <span>

enum MenuPageNumber : int {
    SYSTEM_PAGE = 2,
    DRAWING_PAGE = 3,
    STAMP_PAGE = 4,
    EDIT_PAGE = 5,
};

// Every button is 16 high; its rectangle includes both bounds, so neighbours share a border and
// the table order decides which one a shared point belongs to.
constexpr int MENU_BUTTON_HEIGHT = 16;

struct MenuButton {
    int x;
    int y;
    int code;
};

struct MenuPage {
    int number;
    int button_width;
    std::span<const MenuButton> buttons;
};

// The page with that number, or nullptr when there is none.
const MenuPage* find_menu_page(int page);
// Whether (x, y) lies on the button (inclusive bounds).
bool button_contains(const MenuPage& page, const MenuButton& button, int x, int y);
