#include "host/common/value_dialog.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace {
int32_t clamp_to_range(const ValueDialogState& state, int64_t value) {
    // A range given upside down has no inside; the bounds then apply one at a time as given.
    if (value < state.minimum) return state.minimum;
    if (value > state.maximum) return state.maximum;
    return static_cast<int32_t>(value);
}
}  // namespace

ValueDialogState open_value_dialog(int maximum, int minimum, int value) {
    ValueDialogState state;
    state.maximum = maximum;
    state.minimum = minimum;
    state.value = value;
    const int64_t step = (int64_t{maximum} - minimum) / 10;
    state.page_step =
        step == 0 ? 1 : static_cast<int32_t>(std::clamp<int64_t>(step, INT32_MIN, INT32_MAX));
    return state;
}

void scroll_value_dialog(ValueDialogState* state, int code, uint32_t thumb) {
    const int64_t value = state->value;
    switch (code) {
        case SCROLL_LINE_LEFT:
            if (value - 1 < state->minimum)
                state->value = state->minimum;
            else
                state->value = static_cast<int32_t>(value - 1);
            break;
        case SCROLL_LINE_RIGHT:
            if (value + 1 > state->maximum)
                state->value = state->maximum;
            else
                state->value = static_cast<int32_t>(value + 1);
            break;
        case SCROLL_PAGE_LEFT:
            if (value - state->page_step < state->minimum)
                state->value = state->minimum;
            else
                state->value = static_cast<int32_t>(value - state->page_step);
            break;
        case SCROLL_PAGE_RIGHT:
            if (value + state->page_step > state->maximum)
                state->value = state->maximum;
            else
                state->value = static_cast<int32_t>(value + state->page_step);
            break;
        case SCROLL_THUMB_POSITION:
        case SCROLL_THUMB_TRACK:
            // The notification carries only 16 bits; a range reaching beyond them must not turn
            // that into a value outside the range.
            state->value = clamp_to_range(*state, thumb & 0xFFFF);
            break;
        default: break;
    }
}

void format_dialog_value(const ValueDialogState& state, char* buffer, int capacity) {
    if (capacity <= 0) return;
    std::snprintf(buffer, static_cast<size_t>(capacity), "%d", static_cast<int>(state.value));
}
