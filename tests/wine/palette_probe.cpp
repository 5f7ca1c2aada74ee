// A test build of the Win32 host around a stand-in application that lays out the palette as the
// editor's start-up does, changes entry 128 when its command line says "changed", writes the
// palette dump and ends.
#include <cstring>

#include "host/host.h"
#include "host/win32/win32_host.h"
#include "support/test_canvas.h"

namespace {

void app_main() {
    test_support::open_test_canvas();
    const char* how = command_line_file();
    if (how != nullptr && std::strcmp(how, "changed") == 0) palette_set(128, 0x00FF00);
    dump_palette();
    request_exit();
    // Returning from app_main would count as a breakdown: wait here for the end instead.
    for (;;) tick_count();
}

void free_app_data() { palette_close(); }

void save_animation() {}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int show) {
    return win32_host_main(instance, command_line, show, {app_main, free_app_data, save_animation});
}
