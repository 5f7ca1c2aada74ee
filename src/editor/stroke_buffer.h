// The pen tool's record of one stroke: the pointer positions seen while the left button is held,
// rasterised only when the button is released.
#pragma once

#include <cstdint>
#include <memory>

constexpr int32_t STROKE_CAPACITY = 16384;

struct StrokePoint {
    int32_t x;
    int32_t y;
};

struct StrokeBuffer {
    std::unique_ptr<StrokePoint[]> points;
    int32_t capacity = 0;
    int32_t count = 0;
};

// Allocates room for `capacity` points; false when memory runs out.
bool allocate_stroke(StrokeBuffer* stroke, int32_t capacity = STROKE_CAPACITY);

// Draws the segments between consecutive points (a polyline of one point draws nothing).
using SegmentDrawer = void (*)(const StrokePoint& from, const StrokePoint& to, void* context);
void rasterise_stroke(const StrokeBuffer& stroke, SegmentDrawer draw, void* context);

// Records a point. When the buffer is full its points are rasterised first and the buffer starts
// again from its last point, so that a very long stroke stays one unbroken line. Returns true
// when it rasterised.
bool add_stroke_point(StrokeBuffer* stroke, StrokePoint point, SegmentDrawer draw, void* context);
