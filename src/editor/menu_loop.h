// The editor's main loop over the menu pages.
#pragma once

// Whether the right button has just gone down since the previous reading; updates the reading.
bool right_button_went_down(int* previous_right, int right);

// Draws the current page, shows help for the button under the pointer and dispatches the button
// on which the left button is released. Never returns.
[[noreturn]] void run_menu_loop();
