#include "editor/session/animation.h"
#include "editor/session/menu_images.h"
#include "editor/commands.h"
#include "editor/editor_settings.h"
#include "editor/menu_pages.h"
#include "editor/stamps.h"
#include "host/host.h"
#include "raster/raster.h"

namespace {

constexpr uint8_t MENU_FRAME_GREY = 190;
constexpr uint8_t STAMP_BAND_GREY = 210;
constexpr int STAMP_BAND_TOP = 119;

void lay_image(const VirtualScreen& screen, const ImageRef& image) {
    if (image.bits == nullptr) return;
    blit_transparent(screen.bits, screen.width, screen.height, image.bits, image.width,
                     image.height, 0, 0);
}

}  // namespace

void draw_menu_page() {
    const VirtualScreen& screen = virtual_screen();
    const MenuImages& images = menu_images();
    fill_bytes(screen.bits, screen.width, screen.height, CANVAS_PAPER);
    set_print_values(MENU_FRAME_GREY, CANVAS_PAPER);
    print_page(animation().current_frame);
    switch (editor_settings().menu_page) {
        case SYSTEM_PAGE: lay_image(screen, images.sysmenu); break;
        case DRAWING_PAGE:
            show_edit_status();
            lay_image(screen, images.animmenu);
            break;
        case STAMP_PAGE:
            show_stamp_status();
            place_current_stamp(0, STAMP_BAND_TOP);
            fill_two_bands(screen.bits, screen.width, screen.height, STAMP_BAND_TOP, CANVAS_PAPER,
                           STAMP_BAND_GREY);
            set_print_values(MENU_FRAME_GREY, 0);
            print_page(animation().current_frame);
            lay_image(screen, images.stpmenu);
            draw_current_stamp(screen.bits, screen.width, screen.height);
            break;
        case EDIT_PAGE:
            lay_image(screen, images.editmenu);
            show_edit_status();
            break;
        default: break;
    }
}
