#include <cstring>
#include <memory>
#include <new>

#include "editor/session/animation.h"
#include "editor/brush.h"
#include "editor/commands.h"
#include "editor/editor_settings.h"
#include "editor/onion_skin.h"
#include "editor/session/editor_texts.h"
#include "editor/status_texts.h"
#include "host/host.h"

namespace {

// Shapes being dragged show in this colour; the final shape covers it exactly.
constexpr uint8_t PREVIEW_COLOR = 252;

struct ShapeTool {
    ShapeKind kind;
    const char* first_prompt;
    const char* second_prompt;
};

void show_prompt(const char* prompt) {
    show_edit_status();
    set_text_pos(0, 2);
    print_text(prompt);
    print_text(TEXT_RIGHT_CLICK_BACK);
}

// Line and box: anchor with the left press, drag, release to draw; the right button leaves.
void run_shape_tool(const ShapeTool& tool) {
    const VirtualScreen& screen = virtual_screen();
    const size_t canvas_bytes = static_cast<size_t>(screen.width) * screen.height;
    compose_editing_view();
    std::unique_ptr<uint8_t[]> backup(new (std::nothrow) uint8_t[canvas_bytes]);
    if (!backup) return;
    std::memcpy(backup.get(), screen.bits, canvas_bytes);
    for (;;) {
        show_prompt(tool.first_prompt);
        present_screen();
        int x = 0;
        int y = 0;
        int right = 0;
        int left = 0;
        for (;;) {
            read_pointer(&x, &y, &right, &left);
            if (right == 1) {
                store_current_frame();
                return;
            }
            if (left == 1) break;
            print_pointer_position(x, y);
        }
        const int anchor_x = x;
        const int anchor_y = y;
        read_pointer(&x, &y, &right, &left);
        show_prompt(tool.second_prompt);
        store_undo_frame();
        // That reading's position is not used, but a quick right click it reported is seen by no
        // later reading: it leaves the tool as one in the drag loop does.
        if (right == 1) return;
        // A release seen at the first poll draws the shape of a single point at the anchor.
        int end_x = anchor_x;
        int end_y = anchor_y;
        const int pen_width = editor_settings().pen_width;
        for (;;) {
            read_pointer(&x, &y, &right, &left);
            if (right == 1) return;  // drops every shape of this use; undo brings back the rest
            if (left == 0) break;
            std::memcpy(screen.bits, backup.get(), canvas_bytes);
            end_x = x;
            end_y = y;
            draw_shape(tool.kind, pen_width, anchor_x, anchor_y, end_x, end_y, PREVIEW_COLOR);
            present_screen();
            print_pointer_position(x, y);
        }
        draw_shape(tool.kind, pen_width, anchor_x, anchor_y, end_x, end_y,
                   static_cast<uint8_t>(editor_settings().pen_color));
        std::memcpy(backup.get(), screen.bits, canvas_bytes);
    }
}

}  // namespace

void line_tool() { run_shape_tool({ShapeKind::line, TEXT_LINE_FIRST_POINT, TEXT_LINE_END_POINT}); }

void box_tool() { run_shape_tool({ShapeKind::box, TEXT_BOX_FIRST_POINT, TEXT_BOX_OPPOSITE_POINT}); }
