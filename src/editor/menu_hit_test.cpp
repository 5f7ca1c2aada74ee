#include "editor/command_codes.h"
#include "editor/commands.h"
#include "editor/editor_settings.h"
#include "editor/menu_pages.h"

int hit_test_menu(int x, int y) {
    const MenuPage* page = find_menu_page(editor_settings().menu_page);
    if (page == nullptr) return NO_COMMAND;
    for (const MenuButton& button : page->buttons) {
        if (button_contains(*page, button, x, y)) return button.code;
    }
    return NO_COMMAND;
}
