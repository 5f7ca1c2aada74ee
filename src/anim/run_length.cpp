#include "anim/run_length.h"

#include <cstring>

namespace {

uint8_t run_token(bool ink, int32_t length)
{
    return static_cast<uint8_t>(ink ? length - 1 : length + 127);
}

bool is_ink_token(uint8_t token)
{
    return token < 128;
}

int32_t token_run_length(uint8_t token)
{
    return is_ink_token(token) ? token + 1 : token - 127;
}

}  // namespace

int32_t encode_runs(const uint8_t* bits, int32_t width, int32_t height, uint8_t* out,
                    int32_t capacity)
{
    if (width <= 0 || height <= 0 || static_cast<int64_t>(width) * height > INT32_MAX) {
        return -1;
    }
    const int32_t pixels = width * height;
    int32_t count = 0;
    bool ink = bits[0] == CANVAS_INK;
    int32_t length = 1;
    for (int32_t i = 1; i < pixels; ++i) {
        const bool pixel_ink = bits[i] == CANVAS_INK;
        if (pixel_ink == ink && length < MAX_RUN) {
            ++length;
            continue;
        }
        // A full run is only written when the next pixel arrives, so 129 gives 128 then 1.
        if (count == capacity) {
            return -1;
        }
        out[count++] = run_token(ink, length);
        ink = pixel_ink;
        length = 1;
    }
    if (count == capacity) {
        return -1;
    }
    out[count++] = run_token(ink, length);
    return count;
}

int32_t draw_frame(uint8_t* bits, int32_t width, int32_t height, const Frame* frame,
                   uint8_t ink_value, uint8_t paper_value)
{
    const int64_t pixels = width > 0 && height > 0 ? static_cast<int64_t>(width) * height : 0;
    const uint8_t* tokens = frame_tokens(frame);
    int64_t position = 0;
    for (int32_t i = 0; i < frame->token_count && position < pixels; ++i) {
        const bool ink = is_ink_token(tokens[i]);
        int64_t length = token_run_length(tokens[i]);
        if (length > pixels - position) {
            length = pixels - position;
        }
        const uint8_t value = ink ? ink_value : paper_value;
        if (value != 0) {
            std::memset(bits + position, value, static_cast<std::size_t>(length));
        }
        position += length;
    }
    return frame->token_count;
}

int64_t frame_pixel_count(const Frame* frame)
{
    const uint8_t* tokens = frame_tokens(frame);
    int64_t pixels = 0;
    for (int32_t i = 0; i < frame->token_count; ++i) {
        pixels += token_run_length(tokens[i]);
    }
    return pixels;
}
