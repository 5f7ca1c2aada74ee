#include "host/common/pointer_state.h"

PointerState& pointer_state()
{
    static PointerState state;
    return state;
}

void pointer_reset()
{
    PointerState& state = pointer_state();
    state.right_held = 0;
    state.left_held = 0;
    state.release_x = 0;
    state.release_y = 0;
    state.release_button = 2;
}

void pointer_button_down(PointerButton button)
{
    PointerState& state = pointer_state();
    (button == PointerButton::right ? state.right_held : state.left_held) = 1;
}

void pointer_button_up(PointerButton button, int x, int y)
{
    PointerState& state = pointer_state();
    (button == PointerButton::right ? state.right_held : state.left_held) = 0;
    state.release_x = static_cast<int32_t>(static_cast<uint32_t>(x) & 0xFFFF);
    state.release_y = static_cast<int32_t>(static_cast<uint32_t>(y) & 0xFFFF);
    state.release_button = static_cast<int32_t>(button);
}
