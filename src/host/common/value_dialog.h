// The value dialog's state machine (host.h's input_value): the Qt and Win32 dialogs feed it the
// scroll bar's notifications and show what it says.
#pragma once

#include <cstdint>

// The scroll notification codes, numbered as Win32 numbers them.
enum ScrollCode : int {
    SCROLL_LINE_LEFT = 0,
    SCROLL_LINE_RIGHT = 1,
    SCROLL_PAGE_LEFT = 2,
    SCROLL_PAGE_RIGHT = 3,
    SCROLL_THUMB_POSITION = 4,
    SCROLL_THUMB_TRACK = 5,
    SCROLL_LEFT_END = 6,
    SCROLL_RIGHT_END = 7,
    SCROLL_END = 8,
};

struct ValueDialogState {
    int32_t maximum = 0;
    int32_t minimum = 0;
    int32_t value = 0;
    int32_t page_step = 1;  // (maximum - minimum) / 10, raised to 1 when that is 0
};

// The state of a dialog opened over minimum ... maximum at `value` (the value is shown as given).
ValueDialogState open_value_dialog(int maximum, int minimum, int value);
// Applies one scroll notification. `thumb` is the thumb position the notification carries; only
// its unsigned low 16 bits count, and the result is kept within minimum ... maximum.
void scroll_value_dialog(ValueDialogState* state, int code, uint32_t thumb);
// The value as the dialog shows it ("%d"); `buffer` holds at least 12 bytes.
void format_dialog_value(const ValueDialogState& state, char* buffer, int capacity);
