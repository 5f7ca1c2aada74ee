#include "anim/run_length.h"

#include <bit>
#include <cstring>

// The encoder looks at 64 pixels at a time. SSE2 (every x86-64 target) classifies them with four
// compares; elsewhere 64-bit words do it, or single bytes where words are not little-endian.
// MEPU_PORTABLE_CODEC forces the word version so that it is tested on x86-64 too.
#if defined(__SSE2__) && !defined(MEPU_PORTABLE_CODEC)
#include <emmintrin.h>
#define MEPU_CODEC_SSE2 1
#endif

namespace {

constexpr int32_t BLOCK_PIXELS = 64;

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

// Bit i is set when pixel i of the 64 is ink.
uint64_t ink_mask(const uint8_t* pixels)
{
#if defined(MEPU_CODEC_SSE2)
    const __m128i ink = _mm_set1_epi8(static_cast<char>(CANVAS_INK));
    uint64_t mask = 0;
    for (int part = 0; part < 4; ++part) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + 16 * part));
        const auto bits = static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, ink)));
        mask |= static_cast<uint64_t>(bits) << (16 * part);
    }
    return mask;
#else
    if constexpr (std::endian::native == std::endian::little) {
        constexpr uint64_t ones = 0x0101010101010101u;
        constexpr uint64_t low7 = 0x7F7F7F7F7F7F7F7Fu;
        uint64_t mask = 0;
        for (int part = 0; part < 8; ++part) {
            uint64_t word;
            std::memcpy(&word, pixels + 8 * part, sizeof word);
            // Ink bytes become 0; then the top bit of each byte says "was ink", exactly.
            const uint64_t x = word ^ (ones * CANVAS_INK);
            const uint64_t ink_tops = ~(((x & low7) + low7) | x | low7);
            // Gathers the 8 top bits (byte k's at bit 8k + 7) into bits 0..7, byte 0 lowest.
            const uint64_t gathered = ((ink_tops >> 7) * 0x0102040810204080u) >> 56;
            mask |= gathered << (8 * part);
        }
        return mask;
    } else {
        uint64_t mask = 0;
        for (int i = 0; i < BLOCK_PIXELS; ++i) {
            mask |= static_cast<uint64_t>(pixels[i] == CANVAS_INK) << i;
        }
        return mask;
    }
#endif
}

struct TokenWriter {
    uint8_t* out;
    int32_t capacity;
    int32_t count = 0;

    // A run longer than MAX_RUN becomes full runs followed by the remainder; false when the
    // tokens do not fit.
    bool put_run(bool ink, int64_t length)
    {
        const int64_t tokens = (length + MAX_RUN - 1) / MAX_RUN;
        if (tokens > capacity - count) {
            return false;
        }
        while (length > MAX_RUN) {
            out[count++] = ink ? FULL_INK_RUN : FULL_PAPER_RUN;
            length -= MAX_RUN;
        }
        out[count++] = run_token(ink, static_cast<int32_t>(length));
        return true;
    }
};

}  // namespace

int32_t encode_runs(const uint8_t* bits, int32_t width, int32_t height, uint8_t* out,
                    int32_t capacity)
{
    if (width <= 0 || height <= 0 || static_cast<int64_t>(width) * height > INT32_MAX) {
        return -1;
    }
    const int32_t pixels = width * height;
    TokenWriter writer{out, capacity};
    bool ink = bits[0] == CANVAS_INK;
    int32_t run_start = 0;
    int32_t block = 0;
    for (; pixels - block >= BLOCK_PIXELS; block += BLOCK_PIXELS) {
        const uint64_t mask = ink_mask(bits + block);
        // A set bit marks a pixel whose kind differs from the pixel before it: a run starts there.
        uint64_t starts = mask ^ ((mask << 1) | static_cast<uint64_t>(ink));
        while (starts != 0) {
            const int32_t start = block + std::countr_zero(starts);
            if (!writer.put_run(ink, start - run_start)) {
                return -1;
            }
            run_start = start;
            ink = !ink;
            starts &= starts - 1;
        }
    }
    for (int32_t i = block; i < pixels; ++i) {
        const bool pixel_ink = bits[i] == CANVAS_INK;
        if (pixel_ink != ink) {
            if (!writer.put_run(ink, i - run_start)) {
                return -1;
            }
            run_start = i;
            ink = pixel_ink;
        }
    }
    if (!writer.put_run(ink, pixels - run_start)) {
        return -1;
    }
    return writer.count;
}

namespace {

constexpr int32_t PIECE = 16;

// Fills exactly `length` bytes (at least 1) with the piece's value, in a few fixed-size stores that
// may overlap each other but never leave the run: a run is short, and a call of memset per run
// would cost more than the filling.
void fill_run(uint8_t* at, int64_t length, const uint8_t (&piece)[PIECE])
{
    if (length >= PIECE) {
        for (int64_t done = 0; done + PIECE < length; done += PIECE) {
            std::memcpy(at + done, piece, PIECE);
        }
        std::memcpy(at + length - PIECE, piece, PIECE);
    } else if (length >= 8) {
        std::memcpy(at, piece, 8);
        std::memcpy(at + length - 8, piece, 8);
    } else if (length >= 4) {
        std::memcpy(at, piece, 4);
        std::memcpy(at + length - 4, piece, 4);
    } else {
        at[0] = piece[0];
        at[length / 2] = piece[0];
        at[length - 1] = piece[0];
    }
}

}  // namespace

int32_t draw_frame(uint8_t* bits, int32_t width, int32_t height, const Frame* frame,
                   uint8_t ink_value, uint8_t paper_value)
{
    const int64_t pixels = width > 0 && height > 0 ? static_cast<int64_t>(width) * height : 0;
    const uint8_t* tokens = frame_tokens(frame);
    uint8_t ink_piece[PIECE];
    uint8_t paper_piece[PIECE];
    std::memset(ink_piece, ink_value, PIECE);
    std::memset(paper_piece, paper_value, PIECE);
    int64_t position = 0;
    for (int32_t i = 0; i < frame->token_count && position < pixels; ++i) {
        const bool ink = is_ink_token(tokens[i]);
        int64_t length = token_run_length(tokens[i]);
        if (length > pixels - position) {
            length = pixels - position;
        }
        if ((ink ? ink_value : paper_value) != 0) {
            fill_run(bits + position, length, ink ? ink_piece : paper_piece);
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
