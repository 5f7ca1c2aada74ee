#include "editor/menu_loop.h"

#include "editor/command_codes.h"
#include "editor/commands.h"
#include "host/host.h"

bool right_button_went_down(int* previous_right, int right) {
    const bool went_down = *previous_right != 1 && right == 1;
    *previous_right = right;
    return went_down;
}

namespace {

// Hovers until the left button has been pressed and released; returns the code under the release.
int wait_for_command() {
    // A right button still held from the previous command must not count as a new press.
    int previous_right = 1;
    int shown_code = NO_COMMAND;
    for (;;) {
        int x = 0;
        int y = 0;
        int right = 0;
        int left = 0;
        read_pointer(&x, &y, &right, &left);
        int code = hit_test_menu(x, y);
        if (left == 1) {
            while (left == 1) read_pointer(&x, &y, &right, &left);
            return hit_test_menu(x, y);
        }
        if (right_button_went_down(&previous_right, right)) activate_text_window();
        if (code != shown_code) {
            shown_code = code;
            show_command_help(code);
        }
    }
}

}  // namespace

void run_menu_loop() {
    for (;;) {
        draw_menu_page();
        present_screen();
        const int code = wait_for_command();
        log_command(code);
        dispatch_command(code);
        clear_text();
    }
}
