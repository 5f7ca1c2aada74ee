#include "convert/output_size.h"

#include <algorithm>

namespace {

int32_t clamp_to_steps(int32_t value, int32_t maximum, int32_t step) {
    value = std::clamp(value, 1, maximum);
    return std::max(value / step * step, step);
}

}  // namespace

void clamp_output_size(int32_t* width, int32_t* height) {
    *width = clamp_to_steps(*width, MAX_OUTPUT_WIDTH, OUTPUT_WIDTH_STEP);
    *height = clamp_to_steps(*height, MAX_OUTPUT_HEIGHT, OUTPUT_HEIGHT_STEP);
}

ScrollResult scroll_output_width(int32_t width, ScrollAction action, int32_t thumb) {
    switch (action) {
        case ScrollAction::line_back:
        case ScrollAction::page_back: return {width - 32, true};
        case ScrollAction::line_forward:
        case ScrollAction::page_forward: return {width + 32, true};
        case ScrollAction::thumb_position: return {thumb, true};
        case ScrollAction::thumb_track: return {thumb, false};
        case ScrollAction::other: break;
    }
    return {width, true};
}

ScrollResult scroll_output_height(int32_t height, ScrollAction action, int32_t thumb) {
    switch (action) {
        case ScrollAction::line_back: return {height - 2, true};
        case ScrollAction::line_forward: return {height + 2, true};
        case ScrollAction::page_back: return {(height - 10) / 10 * 10, true};
        case ScrollAction::page_forward: return {(height + 10) / 10 * 10, true};
        case ScrollAction::thumb_position: return {thumb, true};
        case ScrollAction::thumb_track: return {thumb, false};
        case ScrollAction::other: break;
    }
    return {height, true};
}
