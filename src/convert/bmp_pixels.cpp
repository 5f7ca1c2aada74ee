#include "convert/bmp_pixels.h"

#include <algorithm>

namespace {

constexpr int32_t FIXED_SHIFT = 12;
constexpr int32_t WORD_BITS = 64;
// Words of one output row (at most 320 pixels).
constexpr int32_t ROW_WORDS = CANVAS_WIDTH / WORD_BITS;
static_assert(CANVAS_WIDTH % WORD_BITS == 0);

std::vector<uint16_t> sample_positions(int32_t source_size, int32_t output_size) {
    const int64_t step = (int64_t{source_size} << FIXED_SHIFT) / output_size;
    std::vector<uint16_t> positions(static_cast<size_t>(output_size));
    for (int32_t i = 0; i < output_size; ++i)
        positions[static_cast<size_t>(i)] = static_cast<uint16_t>(i * step >> FIXED_SHIFT);
    return positions;
}

// Sets bits start .. start + length - 1 (length >= 1) of consecutive words.
inline void set_bits(uint64_t* words, uint32_t start, uint32_t length) {
    const uint32_t last = start + length - 1;
    uint32_t word = start / WORD_BITS;
    const uint32_t last_word = last / WORD_BITS;
    const uint64_t from_start = ~uint64_t{0} >> (start % WORD_BITS);
    const uint64_t up_to_last = ~uint64_t{0} << (WORD_BITS - 1 - last % WORD_BITS);
    if (word == last_word) {
        words[word] |= from_start & up_to_last;
        return;
    }
    words[word++] |= from_start;
    for (; word < last_word; ++word) words[word] = ~uint64_t{0};
    words[last_word] |= up_to_last;
}

// Puts picture pixels x .. x + n - 1 of row y, all ink, into the output row showing that row.
inline void place_ink(const OutputSampling& sampling, int32_t y, int32_t x, int32_t n) {
    const int32_t row = sampling.output_row[static_cast<size_t>(y)];
    if (row < 0) return;
    const int32_t first = sampling.first_column[static_cast<size_t>(x)];
    const int32_t end = sampling.first_column[static_cast<size_t>(x + n)];
    if (end > first)
        set_bits(sampling.row_words.get() + row * ROW_WORDS, static_cast<uint32_t>(first),
                 static_cast<uint32_t>(end - first));
}

// Written out so that the compiler makes it one byte swap and one store.
void store_most_significant_first(uint8_t* at, uint64_t word) {
    at[0] = static_cast<uint8_t>(word >> 56);
    at[1] = static_cast<uint8_t>(word >> 48);
    at[2] = static_cast<uint8_t>(word >> 40);
    at[3] = static_cast<uint8_t>(word >> 32);
    at[4] = static_cast<uint8_t>(word >> 24);
    at[5] = static_cast<uint8_t>(word >> 16);
    at[6] = static_cast<uint8_t>(word >> 8);
    at[7] = static_cast<uint8_t>(word);
}

}  // namespace

OutputSampling make_output_sampling(int32_t width, int32_t height) {
    OutputSampling sampling;
    sampling.width = width;
    sampling.height = height;
    sampling.source_column = sample_positions(CANVAS_WIDTH, width);
    sampling.source_row = sample_positions(CANVAS_HEIGHT, height);
    sampling.output_row.assign(CANVAS_HEIGHT, -1);
    // The output is never larger than the picture, so each picture row is shown at most once.
    for (int32_t r = 0; r < height; ++r)
        sampling.output_row[sampling.source_row[static_cast<size_t>(r)]] = static_cast<int16_t>(r);
    sampling.first_column.assign(CANVAS_WIDTH + 1, static_cast<uint16_t>(width));
    for (int32_t c = width - 1; c >= 0; --c)
        for (int32_t x = sampling.source_column[static_cast<size_t>(c)];
             x >= 0 && sampling.first_column[static_cast<size_t>(x)] > c; --x)
            sampling.first_column[static_cast<size_t>(x)] = static_cast<uint16_t>(c);
    sampling.row_words = std::make_unique<uint64_t[]>(static_cast<size_t>(height) * ROW_WORDS);
    return sampling;
}

namespace {

// At the picture's own size the output rows are the picture's rows, one after the other, so a
// run's bits are at its pixel positions.
void place_runs_full_size(const Frame* frame, uint64_t* rows) {
    const uint8_t* tokens = frame_tokens(frame);
    uint32_t position = 0;
    for (int32_t i = 0; i < frame->token_count && position < FRAME_PIXELS; ++i) {
        const uint8_t token = tokens[i];
        const uint32_t length = std::min<uint32_t>((token & 127u) + 1, FRAME_PIXELS - position);
        if (token < 128) set_bits(rows, position, length);
        position += length;
    }
}

// A run is at most MAX_RUN pixels, shorter than a row, so it ends in its own row or the next.
void place_runs_sampled(const Frame* frame, const OutputSampling& sampling) {
    static_assert(MAX_RUN < CANVAS_WIDTH);
    const uint8_t* tokens = frame_tokens(frame);
    int32_t x = 0;
    int32_t y = 0;
    for (int32_t i = 0; i < frame->token_count; ++i) {
        const uint8_t token = tokens[i];
        const int32_t length = (token & 127) + 1;
        const int32_t end = x + length;
        if (token < 128) {
            if (end <= CANVAS_WIDTH) {
                place_ink(sampling, y, x, length);
            } else {
                place_ink(sampling, y, x, CANVAS_WIDTH - x);
                // Past the last row the run is dropped.
                if (y + 1 < CANVAS_HEIGHT) place_ink(sampling, y + 1, 0, end - CANVAS_WIDTH);
            }
        }
        x = end;
        if (x >= CANVAS_WIDTH) {
            x -= CANVAS_WIDTH;
            if (++y == CANVAS_HEIGHT) break;
        }
    }
}

}  // namespace

void make_bmp_pixels(const Frame* frame, OutputSampling* sampling, uint8_t* out) {
    uint64_t* rows = sampling->row_words.get();
    std::fill(rows, rows + static_cast<size_t>(sampling->height) * ROW_WORDS, uint64_t{0});
    if (sampling->width == CANVAS_WIDTH && sampling->height == CANVAS_HEIGHT)
        place_runs_full_size(frame, rows);
    else
        place_runs_sampled(frame, *sampling);
    const int32_t row_bytes = sampling->width / 8;
    for (int32_t r = sampling->height - 1; r >= 0; --r) {
        const uint64_t* words = rows + r * ROW_WORDS;
        int32_t done = 0;
        for (; row_bytes - done >= 8; done += 8, out += 8)
            store_most_significant_first(out, *words++);
        if (done < row_bytes) {
            uint8_t last[8];
            store_most_significant_first(last, *words);
            std::copy(last, last + (row_bytes - done), out);
            out += row_bytes - done;
        }
    }
}
