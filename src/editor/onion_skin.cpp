#include "editor/onion_skin.h"

#include "editor/session/animation.h"
#include "editor/commands.h"
#include "editor/editor_settings.h"
#include "editor/session/editor_texts.h"
#include "host/host.h"
#include "raster/raster.h"

namespace {
constexpr int OLDEST_SHADE = 220;
constexpr int SHADE_SPREAD = 128;
}  // namespace

int onion_shade(int layer, int depth) { return OLDEST_SHADE - layer * (SHADE_SPREAD / depth); }

void compose_editing_view() {
    const VirtualScreen& screen = virtual_screen();
    fill_bytes(screen.bits, screen.width, screen.height, CANVAS_PAPER);
    const int depth = editor_settings().onion_depth;
    const int current = animation().current_frame;
    for (int layer = 0; layer < depth; ++layer) {
        const int frame = current + layer - depth;
        if (frame < 0) continue;
        set_print_values(static_cast<uint8_t>(onion_shade(layer, depth)), 0);
        print_page(frame);
    }
    set_print_values(CANVAS_INK, 0);
    print_page(current);
}

void set_onion_depth() {
    clear_text();
    print_text(TEXT_ONION_PROMPT);
    int value = editor_settings().onion_depth;
    if (input_value(MAX_ONION_DEPTH, 0, &value) == 0) editor_settings().onion_depth = value;
}
