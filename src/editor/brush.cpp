#include "editor/brush.h"

#include "editor/editor_settings.h"
#include "host/host.h"
#include "raster/raster.h"

const uint8_t BRUSH_MASK[BRUSH_SIZE][BRUSH_SIZE] = {
    {0, 0, 1, 1, 1, 0, 0}, {0, 1, 1, 1, 1, 1, 0}, {1, 1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 1, 1},
    {1, 1, 1, 1, 1, 1, 1}, {0, 1, 1, 1, 1, 1, 0}, {0, 0, 1, 1, 1, 0, 0},
};

void draw_brush_line(int x1, int y1, int x2, int y2, int size, uint8_t color) {
    uint8_t brush[BRUSH_SIZE * BRUSH_SIZE];
    for (int row = 0; row < BRUSH_SIZE; ++row)
        for (int column = 0; column < BRUSH_SIZE; ++column)
            brush[row * BRUSH_SIZE + column] = BRUSH_MASK[row][column] ? color : 0;
    const VirtualScreen& screen = virtual_screen();
    stamp_along_line(screen.bits, screen.width, screen.height, x1, y1, x2, y2, brush, BRUSH_SIZE,
                     size);
}

namespace {

struct WidthRule {
    int pen_brush;  // 0: a one-pixel line
    int line_brush;
    int box_thickness;
};

WidthRule width_rule(int pen_width) {
    switch (pen_width) {
        case PEN_WIDTH_MEDIUM: return {3, 3, 3};
        case PEN_WIDTH_THICKEST: return {7, 8, 8};
        default: return {0, 0, 1};
    }
}

}  // namespace

void draw_shape(ShapeKind kind, int pen_width, int x1, int y1, int x2, int y2, uint8_t color) {
    const WidthRule rule = width_rule(pen_width);
    const VirtualScreen& screen = virtual_screen();
    if (kind == ShapeKind::box) {
        draw_thick_box(screen.bits, screen.width, screen.height, x1, y1, x2, y2, rule.box_thickness,
                       color);
        return;
    }
    const int brush = kind == ShapeKind::pen_segment ? rule.pen_brush : rule.line_brush;
    if (brush == 0) {
        draw_line(screen.bits, screen.width, screen.height, x1, y1, x2, y2, color);
    } else {
        draw_brush_line(x1, y1, x2, y2, brush, color);
    }
}
