#include "convert/frame_pixels.h"

#include <algorithm>

namespace {

// Sets pixels start .. start + length - 1 (length >= 1, at most MAX_RUN, inside the picture).
void set_ink(uint64_t* words, int32_t start, int32_t length) {
    const int32_t last = start + length - 1;
    int32_t word = start / PICTURE_BITS_PER_WORD;
    const int32_t last_word = last / PICTURE_BITS_PER_WORD;
    const uint64_t from_start = ~uint64_t{0} >> (start % PICTURE_BITS_PER_WORD);
    const uint64_t up_to_last = ~uint64_t{0} << (PICTURE_BITS_PER_WORD - 1 - last % PICTURE_BITS_PER_WORD);
    if (word == last_word) {
        words[word] |= from_start & up_to_last;
        return;
    }
    words[word++] |= from_start;
    for (; word < last_word; ++word) words[word] = ~uint64_t{0};
    words[last_word] |= up_to_last;
}

}  // namespace

void decode_frame_bits(const Frame* frame, uint64_t* words) {
    std::fill(words, words + PICTURE_WORDS, uint64_t{0});
    const uint8_t* tokens = frame_tokens(frame);
    int32_t position = 0;
    for (int32_t i = 0; i < frame->token_count && position < FRAME_PIXELS; ++i) {
        const uint8_t token = tokens[i];
        if (token < 128) {
            const int32_t length = std::min<int32_t>(token + 1, FRAME_PIXELS - position);
            set_ink(words, position, length);
            position += length;
        } else {
            position += token - 127;
        }
    }
}
