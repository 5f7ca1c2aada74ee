// A Wayland compositor without an input seat (a headless one) crashes Qt's own Wayland text input
// the moment a line edit draws its cursor: Qt asks the missing seat for the input direction. With
// no seat nothing can be typed anyway, so there the input method is left out.
#pragma once

// Before the QApplication is made: where Qt is going to connect to a Wayland compositor that
// offers no seat, and no input method is chosen, chooses none.
void leave_out_input_method_without_seat();
