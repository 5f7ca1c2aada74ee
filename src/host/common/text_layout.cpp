#include "host/common/text_layout.h"

#include <cstring>

#include "host/common/app_gate.h"
#include "host/host.h"

TextLayoutState& text_layout_state() {
    static TextLayoutState state;
    return state;
}

void attach_text_surface(TextSurface* surface) {
    TextLayoutState& state = text_layout_state();
    state.surface = surface;
    state.x = 0;
    state.y = 0;
}

namespace {
int line_height(TextLayoutState& state) { return state.surface->letter_height() + state.line_gap; }
}  // namespace

void clear_text() {
    app_gate_pass();
    TextLayoutState& state = text_layout_state();
    if (state.surface == nullptr) return;
    state.surface->clear();
    state.x = 0;
    state.y = 0;
}

void set_text_pos(int column, int row) {
    app_gate_pass();
    TextLayoutState& state = text_layout_state();
    // A negative column has no width to measure; it is ignored like one that is too large.
    if (state.surface == nullptr || column >= TEXT_MAX_COLUMN || column < 0) return;
    char letters[TEXT_MAX_COLUMN];
    std::memset(letters, 'D', sizeof letters);
    state.x = column == 0 ? 0 : state.surface->measure_width(letters, column);
    state.y = row * line_height(state);
}

void print_text(const char* text, int length) {
    app_gate_pass();
    TextLayoutState& state = text_layout_state();
    if (state.surface == nullptr || text == nullptr) return;
    if (length == -1) length = static_cast<int>(std::strlen(text));
    if (length <= 0) return;
    int segment = 0;
    for (int i = 0; i < length; ++i) {
        const char byte = text[i];
        if (byte != '\n' && byte != '\r' && byte != '\0') continue;
        if (i > segment) state.surface->draw_text(state.x, state.y, text + segment, i - segment);
        state.x = state.surface->line_start_x();
        state.y += line_height(state);
        segment = i + 1;
    }
    if (length > segment) {
        state.surface->draw_text(state.x, state.y, text + segment, length - segment);
        state.x += state.surface->measure_width(text + segment, length - segment);
    }
}
