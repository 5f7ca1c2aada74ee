#include "editor/stroke_buffer.h"

#include <new>

bool allocate_stroke(StrokeBuffer* stroke, int32_t capacity) {
    stroke->points.reset(new (std::nothrow) StrokePoint[capacity]);
    stroke->capacity = stroke->points ? capacity : 0;
    stroke->count = 0;
    return stroke->points != nullptr;
}

void rasterise_stroke(const StrokeBuffer& stroke, SegmentDrawer draw, void* context) {
    for (int32_t i = 0; i + 1 < stroke.count; ++i)
        draw(stroke.points[i], stroke.points[i + 1], context);
}

bool add_stroke_point(StrokeBuffer* stroke, StrokePoint point, SegmentDrawer draw, void* context) {
    if (stroke->capacity == 0) return false;
    const bool full = stroke->count == stroke->capacity;
    if (full) {
        rasterise_stroke(*stroke, draw, context);
        // Dropping the point and restarting empty would leave a gap of two segments in the line.
        stroke->points[0] = stroke->points[stroke->count - 1];
        stroke->count = 1;
    }
    stroke->points[stroke->count++] = point;
    return full;
}
