// The start-up of the editor's screen as the stand-in applications of the host tests do it: the
// window at 1x, the palette laid out as the editor lays it out, and the canvas made.
#pragma once

#include "host/host.h"

namespace test_support {

inline void open_test_canvas() {
    resize_main_window(320, 240);
    palette_open();
    palette_init_gray(11000);
    load_system_colors();
    palette_set(10, 0);
    build_palette();
    create_screen();
}

}  // namespace test_support
