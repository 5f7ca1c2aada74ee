#include "host/common/pointer_state.h"

int ButtonRecord::held() const
{
    return (bits_.load() & HELD) != 0 ? 1 : 0;
}

void ButtonRecord::press()
{
    bits_.store(HELD | UNSEEN);
}

void ButtonRecord::release()
{
    int32_t bits = bits_.load();
    int32_t released;
    do {
        released = (bits & UNSEEN) != 0 ? bits | RELEASED : 0;
    } while (!bits_.compare_exchange_weak(bits, released));
}

int ButtonRecord::poll()
{
    int32_t bits = bits_.load();
    int32_t seen;
    do {
        seen = (bits & RELEASED) != 0 ? 0 : bits & ~UNSEEN;
    } while (!bits_.compare_exchange_weak(bits, seen));
    return (bits & HELD) != 0 ? 1 : 0;
}

void ButtonRecord::take()
{
    // A press that came after the poll is UNSEEN and stays.
    int32_t seen = HELD;
    bits_.compare_exchange_strong(seen, 0);
}

void ButtonRecord::reset()
{
    bits_.store(0);
}

PointerState& pointer_state()
{
    static PointerState state;
    return state;
}

void pointer_reset()
{
    PointerState& state = pointer_state();
    state.right.reset();
    state.left.reset();
    state.release_x = 0;
    state.release_y = 0;
    state.release_button = 2;
}

namespace {
ButtonRecord& record_of(PointerButton button)
{
    PointerState& state = pointer_state();
    return button == PointerButton::right ? state.right : state.left;
}
}  // namespace

void pointer_button_down(PointerButton button)
{
    record_of(button).press();
}

void pointer_button_up(PointerButton button, int x, int y)
{
    PointerState& state = pointer_state();
    state.release_x = static_cast<int32_t>(static_cast<uint32_t>(x) & 0xFFFF);
    state.release_y = static_cast<int32_t>(static_cast<uint32_t>(y) & 0xFFFF);
    state.release_button = static_cast<int32_t>(button);
    record_of(button).release();
}

void pointer_poll_buttons(int* right, int* left)
{
    PointerState& state = pointer_state();
    *right = state.right.poll();
    *left = state.left.poll();
}
