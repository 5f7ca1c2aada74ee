// A small application for the scripted host's own tests, standing in for the editor: it draws a
// black pixel where the left button goes down, and on a right press runs every kind of dialog,
// times a 142 ms period on the clock, and fails or ends when pressed in a corner.
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "host/host.h"
#include "host/script/script_host.h"
#include "raster/raster.h"
#include "support/test_canvas.h"

namespace {
void print_line(const char* format, int a, int b = 0) {
    char line[128];
    std::snprintf(line, sizeof line, format, a, b);
    print_text(line);
}

void run_dialogs() {
    clear_text();
    int value = 3;
    const int value_result = input_value(8, 0, &value);
    print_line("value %d %d\n", value_result, value);
    char text[16] = "start";
    const int string_result = input_string(text, sizeof text);
    print_line("string %d ", string_result);
    print_text(text);
    print_text("\n");
    char name[FILE_NAME_CAPACITY] = "";
    char path[FILE_NAME_CAPACITY] = "";
    print_line("open %d\n", choose_open_file(name, path, "開く", "*.mpa", "アニメ"));
    print_line("save %d ", choose_save_file(name, path, "保存", "*.mpa", "アニメ"));
    print_text(name);
    print_text("\n");
    const MessageAnswer answer =
        message_box("よろしいですか", "確認", MessageButtons::yes_no, MessageIcon::exclamation);
    print_line("answer %d\n", static_cast<int>(answer));
    const uint32_t start = tick_count();
    uint32_t now = start;
    while (now - start < 142) now = tick_count();
    print_line("waited %d\n", static_cast<int>(now - start));
}
void app_main() {
    test_support::open_test_canvas();
    const VirtualScreen& screen = virtual_screen();
    fill_bytes(screen.bits, screen.width, screen.height, 255);
    char system_folder[FILE_NAME_CAPACITY];
    if (windows_directory(system_folder, sizeof system_folder) < 0)
        throw std::runtime_error("no folder");
    clear_text();
    print_text("準備できました\n");
    if (command_line_file() != nullptr) {
        print_text("file ");
        print_text(command_line_file());
        print_text("\n");
    }
    for (;;) {
        int x, y, right, left;
        take_pointer(&x, &y, &right, &left);
        if (left == 1) {
            if (x >= 0 && x < 320 && y >= 0 && y < 240) screen.bits[y * 320 + x] = 10;
            present_screen();
            print_line("left %d %d\n", x, y);
        }
        if (right == 1) {
            if (x < 10 && y < 10) throw std::runtime_error("asked to fail");
            if (x >= 310 && y < 10) request_exit();
            if (x >= 310 && y >= 10 && y < 20) {
                request_exit();
                return;  // leaves app_main before the host has stopped the thread
            }
            run_dialogs();
        }
    }
}

void save_animation() { std::printf("save_animation\n"); }

void free_app_data() {
    palette_close();
    std::printf("free_app_data\n");
}
}  // namespace

int main(int argc, char** argv) {
    return script_host_main(argc, argv, {app_main, free_app_data, save_animation});
}
