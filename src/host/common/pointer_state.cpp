#include "host/common/pointer_state.h"

int ButtonRecord::held() const { return bits_.load() != 0 ? 1 : 0; }

void ButtonRecord::press() { bits_.store(DOWN | LATCHED); }

void ButtonRecord::release() { bits_.fetch_and(~DOWN); }

// Reading and spending are one atomic step, so a press that comes right after is never lost.
int ButtonRecord::read() { return bits_.fetch_and(~LATCHED) != 0 ? 1 : 0; }

int ButtonRecord::take() { return bits_.exchange(0) != 0 ? 1 : 0; }

PointerState& pointer_state() {
    static PointerState state;
    return state;
}

void pointer_reset() {
    PointerState& state = pointer_state();
    pointer_forget_clicks();
    state.release_x = 0;
    state.release_y = 0;
    state.release_button = 2;
}

namespace {
ButtonRecord& record_of(PointerButton button) {
    PointerState& state = pointer_state();
    return button == PointerButton::right ? state.right : state.left;
}
}  // namespace

void pointer_button_down(PointerButton button) { record_of(button).press(); }

void pointer_button_up(PointerButton button, int x, int y) {
    PointerState& state = pointer_state();
    state.release_x = static_cast<int32_t>(static_cast<uint32_t>(x) & 0xFFFF);
    state.release_y = static_cast<int32_t>(static_cast<uint32_t>(y) & 0xFFFF);
    state.release_button = static_cast<int32_t>(button);
    record_of(button).release();
}

void pointer_forget_clicks() {
    PointerState& state = pointer_state();
    state.right.take();
    state.left.take();
}

namespace {
thread_local PollKind current_poll_kind = PollKind::peek;

int poll_button(ButtonRecord& record) {
    switch (current_poll_kind) {
        case PollKind::read: return record.read();
        case PollKind::take: return record.take();
        case PollKind::peek: break;
    }
    return record.held();
}
}  // namespace

PollScope::PollScope(PollKind kind) : previous_(current_poll_kind) { current_poll_kind = kind; }

PollScope::~PollScope() { current_poll_kind = previous_; }

void pointer_poll_buttons(int* right, int* left) {
    PointerState& state = pointer_state();
    *right = poll_button(state.right);
    *left = poll_button(state.left);
}
