#include "editor/menu_pages.h"

#include <array>

#include "editor/command_codes.h"

namespace {

constexpr std::array<MenuButton, 11> SYSTEM_BUTTONS{{
    {32, 32, CMD_LOAD},
    {32, 48, CMD_SPEED},
    {32, 64, CMD_REWIND},
    {32, 80, CMD_UNUSED_46},
    {32, 96, CMD_ONION_DEPTH},
    {32, 112, CMD_PLAY_FROM_START},
    {32, 128, CMD_TO_DRAWING_PAGE},
    {160, 32, CMD_SAVE},
    {160, 48, CMD_PLAY_FROM_CHOSEN},
    {160, 64, CMD_PLAY_LOOP},
    {160, 80, CMD_UNUSED_49},
}};

constexpr std::array<MenuButton, 20> DRAWING_BUTTONS{{
    {32, 32, CMD_NEXT_FRAME},
    {32, 48, CMD_PEN_WHITE},
    {32, 64, CMD_PEN_THINNEST},
    {32, 80, CMD_FILL},
    {32, 96, CMD_UNDO},
    {32, 112, CMD_LINE},
    {8, 128, CMD_TO_STAMP_PAGE},
    {96, 32, CMD_PREVIOUS_FRAME},
    {96, 48, CMD_PEN_BLACK},
    {128, 64, CMD_PEN_MEDIUM},
    {128, 80, CMD_COPY_PREVIOUS_FRAME},
    {128, 96, CMD_INVERT_FRAME},
    {128, 112, CMD_CLEAR_FRAME},
    {160, 128, CMD_TO_SYSTEM_PAGE},
    {160, 32, CMD_PLAY_FROM_START},
    {160, 48, CMD_BOX},
    {224, 64, CMD_PEN_THICKEST},
    {224, 32, CMD_JUMP_TO_FRAME},
    {224, 48, CMD_PEN},
    {32, 144, CMD_TO_EDIT_PAGE},
}};

constexpr std::array<MenuButton, 13> STAMP_BUTTONS{{
    {32, 32, CMD_STAMP},
    {32, 48, CMD_PLAY_FROM_START},
    {32, 64, CMD_NEXT_STAMP},
    {96, 32, CMD_NEW_STAMP},
    {96, 48, CMD_TO_DRAWING_PAGE},
    {160, 64, CMD_PREVIOUS_STAMP},
    {192, 32, CMD_DELETE_STAMP},
    {32, 80, CMD_NEXT_FRAME},
    {96, 80, CMD_PREVIOUS_FRAME},
    {160, 80, CMD_PLAY_FROM_START},
    {224, 80, CMD_JUMP_TO_FRAME},
    {32, 96, CMD_STAMP_WHITE},
    {96, 96, CMD_STAMP_BLACK},
}};

constexpr std::array<MenuButton, 10> EDIT_BUTTONS{{
    {32, 32, CMD_NEXT_FRAME},
    {96, 32, CMD_PREVIOUS_FRAME},
    {160, 32, CMD_PLAY_FROM_START},
    {224, 32, CMD_JUMP_TO_FRAME},
    {32, 48, CMD_DELETE_FRAME},
    {172, 48, CMD_INSERT_FRAME},
    {32, 64, CMD_MULTI_COPY},
    {172, 64, CMD_REVERSE_FRAMES},
    {32, 96, CMD_TO_DRAWING_PAGE},
    {32, 80, CMD_AUTO_COMPLETION},
}};

constexpr std::array<MenuPage, 4> PAGES{{
    {SYSTEM_PAGE, 100, SYSTEM_BUTTONS},
    {DRAWING_PAGE, 65, DRAWING_BUTTONS},
    {STAMP_PAGE, 65, STAMP_BUTTONS},
    {EDIT_PAGE, 65, EDIT_BUTTONS},
}};

}  // namespace

const MenuPage* find_menu_page(int page) {
    for (const MenuPage& candidate : PAGES) {
        if (candidate.number == page) return &candidate;
    }
    return nullptr;
}

bool button_contains(const MenuPage& page, const MenuButton& button, int x, int y) {
    return button.x <= x && x <= button.x + page.button_width && button.y <= y &&
           y <= button.y + MENU_BUTTON_HEIGHT;
}
