#include "saver/core/saver_picture.h"

#include "raster/raster.h"

#include <cstring>

int32_t decode_frame_pixels(const uint8_t* tokens, int32_t token_count, uint8_t* picture) {
    int32_t filled = 0;
    for (int32_t i = 0; i < token_count && filled < PICTURE_PIXELS; ++i) {
        const uint8_t token = tokens[i];
        const bool black = token < 128;
        int32_t run = black ? token + 1 : token - 127;
        if (run > PICTURE_PIXELS - filled) run = PICTURE_PIXELS - filled;
        std::memset(picture + filled, black ? PICTURE_BLACK : PICTURE_WHITE, size_t(run));
        filled += run;
    }
    if (filled < PICTURE_PIXELS) {
        fill_bytes(picture + filled, PICTURE_PIXELS - filled, 1, PICTURE_WHITE);
    }
    return filled;
}
