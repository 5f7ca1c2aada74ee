#include "convert/bmp_pixels.h"

#include <array>
#include <cstring>

#include "convert/frame_pixels.h"

namespace {

constexpr int32_t FIXED_SHIFT = 12;

std::vector<uint16_t> sample_positions(int32_t source_size, int32_t output_size) {
    const int64_t step = (int64_t{source_size} << FIXED_SHIFT) / output_size;
    std::vector<uint16_t> positions(static_cast<size_t>(output_size));
    for (int32_t i = 0; i < output_size; ++i)
        positions[static_cast<size_t>(i)] = static_cast<uint16_t>(i * step >> FIXED_SHIFT);
    return positions;
}

void store_most_significant_first(uint8_t* at, uint64_t word) {
    for (int byte = 0; byte < 8; ++byte) at[byte] = static_cast<uint8_t>(word >> (56 - 8 * byte));
}

// At the picture's own size the rows are the words themselves, in the opposite row order.
void copy_rows_bottom_first(const uint64_t* picture, uint8_t* out) {
    for (int32_t row = CANVAS_HEIGHT - 1; row >= 0; --row) {
        const uint64_t* words = picture + row * PICTURE_WORDS_PER_ROW;
        for (int32_t w = 0; w < PICTURE_WORDS_PER_ROW; ++w, out += 8)
            store_most_significant_first(out, words[w]);
    }
}

// For each byte value, its 8 bits as 8 bytes of 0 or 1, leftmost (bit 7) first.
using ByteSpread = std::array<std::array<uint8_t, 8>, 256>;
constexpr ByteSpread make_byte_spread() {
    ByteSpread spread{};
    for (int value = 0; value < 256; ++value)
        for (int bit = 0; bit < 8; ++bit)
            spread[static_cast<size_t>(value)][static_cast<size_t>(bit)] =
                static_cast<uint8_t>(value >> (7 - bit) & 1);
    return spread;
}
constexpr ByteSpread BYTE_SPREAD = make_byte_spread();

// Other sizes pick their pixels through the two maps: each sampled row is spread to one byte
// per pixel, then every output byte gathers its 8 columns.
void sample_rows_bottom_first(const uint64_t* picture, const OutputSampling& sampling, uint8_t* out) {
    uint8_t row_pixels[CANVAS_WIDTH];
    const int32_t row_bytes = sampling.width / 8;
    const uint16_t* columns = sampling.source_column.data();
    for (int32_t r = 0; r < sampling.height; ++r) {
        const uint64_t* words = picture + sampling.source_row[static_cast<size_t>(r)] * PICTURE_WORDS_PER_ROW;
        for (int32_t w = 0; w < PICTURE_WORDS_PER_ROW; ++w)
            for (int byte = 0; byte < 8; ++byte)
                std::memcpy(row_pixels + w * 64 + byte * 8,
                            BYTE_SPREAD[static_cast<uint8_t>(words[w] >> (56 - 8 * byte))].data(), 8);
        uint8_t* row_out = out + static_cast<size_t>(sampling.height - 1 - r) * static_cast<size_t>(row_bytes);
        for (int32_t b = 0; b < row_bytes; ++b) {
            const uint16_t* c = columns + 8 * b;
            row_out[b] = static_cast<uint8_t>(
                row_pixels[c[0]] << 7 | row_pixels[c[1]] << 6 | row_pixels[c[2]] << 5 |
                row_pixels[c[3]] << 4 | row_pixels[c[4]] << 3 | row_pixels[c[5]] << 2 |
                row_pixels[c[6]] << 1 | row_pixels[c[7]]);
        }
    }
}

}  // namespace

OutputSampling make_output_sampling(int32_t width, int32_t height) {
    OutputSampling sampling;
    sampling.width = width;
    sampling.height = height;
    sampling.source_column = sample_positions(CANVAS_WIDTH, width);
    sampling.source_row = sample_positions(CANVAS_HEIGHT, height);
    return sampling;
}

void make_bmp_pixels(const uint64_t* picture, const OutputSampling& sampling, uint8_t* out) {
    if (sampling.width == CANVAS_WIDTH && sampling.height == CANVAS_HEIGHT)
        copy_rows_bottom_first(picture, out);
    else
        sample_rows_bottom_first(picture, sampling, out);
}
