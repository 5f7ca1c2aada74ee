#include "editor/session/animation.h"
#include "editor/brush.h"
#include "editor/commands.h"
#include "editor/editor_settings.h"
#include "editor/onion_skin.h"
#include "editor/session/editor_texts.h"
#include "editor/status_texts.h"
#include "editor/stroke_buffer.h"
#include "host/host.h"

namespace {

void draw_pen_segment(const StrokePoint& from, const StrokePoint& to, void*) {
    const EditorSettings& settings = editor_settings();
    draw_shape(ShapeKind::pen_segment, settings.pen_width, from.x, from.y, to.x, to.y,
               static_cast<uint8_t>(settings.pen_color));
}

void read_window_pointer(int* x, int* y) {
    int right = 0;
    int left = 0;
    read_pointer_screen(x, y, &right, &left);
    int origin_x = 0;
    int origin_y = 0;
    int width = 0;
    int height = 0;
    get_client_geometry(&origin_x, &origin_y, &width, &height);
    *x -= origin_x;
    *y -= origin_y;
}

}  // namespace

void pen_tool() {
    show_edit_status();
    compose_editing_view();
    present_screen();
    set_text_pos(0, 2);
    print_text(TEXT_PEN_HINT);
    set_text_pos(0, 3);
    print_text(TEXT_PEN_BACK);
    int x = 0;
    int y = 0;
    int right = 0;
    int left = 0;
    read_pointer(&x, &y, &right, &left);
    StrokeBuffer stroke;
    if (!allocate_stroke(&stroke)) return;
    store_undo_frame();
    feedback_begin(editor_settings().pen_color);
    int window_x = 0;
    int window_y = 0;
    for (;;) {
        const int previous_x = x;
        const int previous_y = y;
        read_pointer(&x, &y, &right, &left);
        read_window_pointer(&window_x, &window_y);
        if (right == 1) {
            store_current_frame();
            feedback_end();
            return;
        }
        if (left == 1 && stroke.count == 0) feedback_move_to(window_x, window_y);
        if (left == 1 && (x != previous_x || y != previous_y)) {
            if (add_stroke_point(&stroke, {x, y}, draw_pen_segment, nullptr)) present_screen();
            feedback_line_to(window_x, window_y);
        }
        if (left == 0 && stroke.count > 0) {
            rasterise_stroke(stroke, draw_pen_segment, nullptr);
            stroke.count = 0;
            present_screen();
        }
        print_pointer_position(x, y);
    }
}
