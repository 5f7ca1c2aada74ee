// The round brush and the width rule shared by the pen, line and box tools.
#pragma once

#include <cstdint>

// 7 x 7 cells, 1 = ink.
constexpr int BRUSH_SIZE = 7;
extern const uint8_t BRUSH_MASK[BRUSH_SIZE][BRUSH_SIZE];

// Stamps the brush, scaled to size x size, n + 1 times along the segment (n its truncated
// length), its top-left corner on the path; nothing for n = 0.
void draw_brush_line(int x1, int y1, int x2, int y2, int size, uint8_t color);

// What the tools draw for one segment or shape at a width code.
enum class ShapeKind { pen_segment, line, box };
void draw_shape(ShapeKind kind, int pen_width, int x1, int y1, int x2, int y2, uint8_t color);
