#include "raster/raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr int64_t FIXED_ONE = 4096;  // 16.12 fixed point
constexpr int FIXED_SHIFT = 12;

int64_t floor_div(int64_t a, int64_t b) {
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

int64_t ceil_div(int64_t a, int64_t b) { return -floor_div(-a, b); }

// Narrows [k_min, k_max] to the steps k at which start + k * step lies in [lo, hi]. Skipping the
// steps that cannot land inside the buffer keeps huge lines cheap without changing what is drawn.
void clamp_steps(int64_t start, int64_t step, int64_t lo, int64_t hi, int64_t* k_min,
                 int64_t* k_max) {
    if (step > 0) {
        *k_min = std::max(*k_min, ceil_div(lo - start, step));
        *k_max = std::min(*k_max, floor_div(hi - start, step));
    } else {
        *k_min = std::max(*k_min, ceil_div(start - hi, -step));
        *k_max = std::min(*k_max, floor_div(start - lo, -step));
    }
}

// The walk along a segment that lines and brush strokes share: `count` = floor(length) steps of
// (step_x, step_y) in fixed point from the start; no steps for a length under 1.
struct LineWalk {
    int64_t count = 0;
    int64_t step_x = 0;
    int64_t step_y = 0;
};

LineWalk line_walk(int64_t dx, int64_t dy) {
    const auto n =
        static_cast<int64_t>(std::sqrt(static_cast<double>(dx) * static_cast<double>(dx) +
                                       static_cast<double>(dy) * static_cast<double>(dy)));
    if (n == 0) return {};
    return {n, dx * FIXED_ONE / n, dy * FIXED_ONE / n};
}

// draw_line in 64-bit arithmetic, so that extreme coordinates neither overflow nor loop for ever.
void draw_line_wide(uint8_t* bits, int64_t width, int64_t height, int64_t x1, int64_t y1,
                    int64_t x2, int64_t y2, uint8_t value) {
    const LineWalk walk = line_walk(x2 - x1, y2 - y1);
    const int64_t n = walk.count;
    if (n == 0) return;
    int64_t sx = walk.step_x;
    int64_t sy = walk.step_y;
    if (sx == 0) sx = 1;
    if (sy == 0) sy = 1;
    if ((x1 < 0 && x2 < 0) || (y1 < 0 && y2 < 0) || (x1 > width && x2 > width) ||
        (y1 > height && y2 > height))
        return;
    if (width <= 1 || height <= 1) return;  // the > 0 test leaves no writable pixel

    const int64_t start_x = x1 * FIXED_ONE;
    const int64_t start_y = y1 * FIXED_ONE;
    int64_t k_min = 0;
    int64_t k_max = n - 1;
    clamp_steps(start_x, sx, FIXED_ONE, width * FIXED_ONE - 1, &k_min, &k_max);
    clamp_steps(start_y, sy, FIXED_ONE, height * FIXED_ONE - 1, &k_min, &k_max);
    for (int64_t k = k_min; k <= k_max; ++k) {
        const int64_t px = (start_x + k * sx) >> FIXED_SHIFT;
        const int64_t py = (start_y + k * sy) >> FIXED_SHIFT;
        if (px > 0 && px < width && py > 0 && py < height) bits[py * width + px] = value;
    }
}

}  // namespace

void set_image_ref(ImageRef* image, uint8_t* bits, int32_t width, int32_t height) {
    image->bits = bits;
    image->width = width;
    image->height = height;
}

ImageRef make_image_ref(uint8_t* bits, int32_t width, int32_t height) {
    ImageRef image;
    set_image_ref(&image, bits, width, height);
    return image;
}

void fill_bytes(uint8_t* bits, int32_t width, int32_t rows, int32_t value) {
    if (width <= 0 || rows <= 0) return;
    std::memset(bits, value & 0xFF, static_cast<size_t>(width) * static_cast<size_t>(rows));
}

void fill_two_bands(uint8_t* bits, int32_t width, int32_t height, int32_t split, int32_t value_top,
                    int32_t value_bottom) {
    if (width <= 0 || height <= 0) return;
    split = std::clamp(split, 0, height);
    fill_bytes(bits, width, split, value_top);
    fill_bytes(bits + static_cast<size_t>(split) * static_cast<size_t>(width), width,
               height - split, value_bottom);
}

int pixel_address(const ImageRef& image, int32_t x, int32_t y, uint8_t** out) {
    if (x >= image.width || y >= image.height || x < 0 || y < 0) return -1;
    *out = image.bits + static_cast<size_t>(y) * static_cast<size_t>(image.width) + x;
    return 0;
}

void draw_line(uint8_t* bits, int32_t width, int32_t height, int32_t x1, int32_t y1, int32_t x2,
               int32_t y2, int32_t value) {
    draw_line_wide(bits, width, height, x1, y1, x2, y2, static_cast<uint8_t>(value));
}

void stamp_along_line(uint8_t* bits, int32_t width, int32_t height, int32_t x1, int32_t y1,
                      int32_t x2, int32_t y2, const uint8_t* brush, int32_t brush_size,
                      int32_t size) {
    const LineWalk walk = line_walk(int64_t{x2} - x1, int64_t{y2} - y1);
    if (walk.count == 0) return;
    const int64_t start_x = int64_t{x1} * FIXED_ONE;
    const int64_t start_y = int64_t{y1} * FIXED_ONE;
    for (int64_t k = 0; k <= walk.count; ++k) {
        blit_scaled_transparent(bits, width, height, brush, brush_size, brush_size,
                                static_cast<int32_t>((start_x + k * walk.step_x) >> FIXED_SHIFT),
                                static_cast<int32_t>((start_y + k * walk.step_y) >> FIXED_SHIFT),
                                size, size);
    }
}

void draw_thick_box(uint8_t* bits, int32_t width, int32_t height, int32_t x1, int32_t y1,
                    int32_t x2, int32_t y2, int32_t thickness, int32_t value) {
    if (thickness <= 0) return;
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    const auto v = static_cast<uint8_t>(value);
    const int64_t bottom = int64_t{y2} + thickness;
    const int64_t right = int64_t{x2} + thickness;
    // Each of the four edges is a family of parallel lines; only the offsets that can put a line on
    // a writable row or column are walked. A line on row or column 0 is walked too: its 1/4096
    // sideways step carries a line longer than 4096 pixels into row or column 1. Lines before 0
    // lie wholly outside and lines from the far edge on drift only further out.
    auto walk = [&](int64_t at, int64_t extent, auto draw) {
        const int64_t first = std::max<int64_t>(0, -at);
        const int64_t last = std::min<int64_t>(int64_t{thickness} - 1, extent - 1 - at);
        for (int64_t i = first; i <= last; ++i) draw(at + i);
    };
    walk(x1, width, [&](int64_t x) { draw_line_wide(bits, width, height, x, y1, x, bottom, v); });
    walk(x2, width, [&](int64_t x) { draw_line_wide(bits, width, height, x, y1, x, bottom, v); });
    walk(y1, height, [&](int64_t y) { draw_line_wide(bits, width, height, x1, y, right, y, v); });
    walk(y2, height, [&](int64_t y) { draw_line_wide(bits, width, height, x1, y, right, y, v); });
}

void blit_transparent(uint8_t* dst, int32_t dst_width, int32_t dst_height, const uint8_t* src,
                      int32_t src_width, int32_t src_height, int32_t x, int32_t y) {
    if (x >= dst_width || y >= dst_height || int64_t{x} + src_width < 0 ||
        int64_t{y} + src_height < 0 || src_width <= 0 || src_height <= 0)
        return;
    const int64_t dst_x0 = std::max<int64_t>(x, 0);
    const int64_t src_x0 = std::max<int64_t>(-int64_t{x}, 0);
    const int64_t dst_y0 = std::max<int64_t>(y, 0);
    const int64_t src_y0 = std::max<int64_t>(-int64_t{y}, 0);
    const int64_t end_x = std::min<int64_t>(int64_t{x} + src_width, dst_width);
    const int64_t end_y = std::min<int64_t>(int64_t{y} + src_height, dst_height);
    for (int64_t row = 0; dst_y0 + row < end_y; ++row) {
        const uint8_t* s = src + (src_y0 + row) * src_width + src_x0;
        uint8_t* d = dst + (dst_y0 + row) * dst_width + dst_x0;
        for (int64_t col = 0; dst_x0 + col < end_x; ++col)
            if (s[col] != 0) d[col] = s[col];
    }
}

void blit_scaled_transparent(uint8_t* dst, int32_t dst_width, int32_t dst_height,
                             const uint8_t* src, int32_t src_width, int32_t src_height, int32_t x,
                             int32_t y, int32_t out_width, int32_t out_height) {
    if (x >= dst_width || y >= dst_height || src_width <= 0 || src_height <= 0 || out_width < 1 ||
        out_height < 1)
        return;
    const int64_t step_x = int64_t{src_width} * FIXED_ONE / out_width;
    const int64_t step_y = int64_t{src_height} * FIXED_ONE / out_height;
    if (step_x == 0 || step_y == 0) return;
    const int64_t start_sx = x < 0 ? -int64_t{x} * step_x : 0;
    int64_t source_y = y < 0 ? -int64_t{y} * step_y : 0;
    const int64_t dst_x0 = std::max<int64_t>(x, 0);
    const int64_t dst_y0 = std::max<int64_t>(y, 0);
    const int64_t end_x = std::min<int64_t>(int64_t{x} + out_width, dst_width);
    const int64_t end_y = std::min<int64_t>(int64_t{y} + out_height, dst_height);
    for (int64_t dy = dst_y0; dy < end_y; ++dy, source_y += step_y) {
        const int64_t src_row = source_y >> FIXED_SHIFT;
        if (src_row >= src_height) break;
        const uint8_t* s = src + src_row * src_width;
        uint8_t* d = dst + dy * dst_width;
        int64_t source_x = start_sx;
        for (int64_t dx = dst_x0; dx < end_x; ++dx, source_x += step_x) {
            const int64_t src_col = source_x >> FIXED_SHIFT;
            if (src_col >= src_width) break;
            if (s[src_col] != 0) d[dx] = s[src_col];
        }
    }
}

void flip_rows(uint8_t* bits, int32_t width, int32_t rows) {
    if (width <= 0 || rows <= 1) return;
    const size_t w = static_cast<size_t>(width);
    for (int32_t i = 0; i < rows / 2; ++i) {
        uint8_t* top = bits + static_cast<size_t>(i) * w;
        uint8_t* bottom = bits + static_cast<size_t>(rows - 1 - i) * w;
        std::swap_ranges(top, top + w, bottom);
    }
}
