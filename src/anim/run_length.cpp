#include "anim/run_length.h"

#include <array>
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

bool is_ink_token(uint8_t token) { return token < 128; }

int32_t token_run_length(uint8_t token) { return is_ink_token(token) ? token + 1 : token - 127; }

// Bit i is set when pixel i of the 64 is ink.
uint64_t ink_mask(const uint8_t* pixels) {
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

// Paper tokens are the ink tokens of the same length with bit 7 set.
constexpr uint8_t PAPER_BIT = 128;

// Writes the tokens of a run longer than MAX_RUN at out[count]: full runs, then the remainder.
// Returns the new count, or -1 when they would not fit in `capacity`.
int32_t put_long_run(uint8_t* out, int32_t count, int32_t capacity, uint8_t kind, int32_t length) {
    if ((length + MAX_RUN - 1) / MAX_RUN > capacity - count) {
        return -1;
    }
    for (; length > MAX_RUN; length -= MAX_RUN) {
        out[count++] = static_cast<uint8_t>((MAX_RUN - 1) | kind);
    }
    out[count++] = static_cast<uint8_t>((length - 1) | kind);
    return count;
}

// The runs that start and end inside 8 pixels, for each pattern of run starts among them (bit b
// set: a run starts at pixel b): their tokens, precomputed for either kind of the first of them,
// so a block dense with short runs costs a table look-up per 8 pixels rather than work per run.
struct StartPattern {
    uint8_t starts;        // runs starting in the 8 pixels
    uint8_t first;         // pixel of the first start
    uint8_t last;          // pixel of the last start
    uint8_t tokens[2][8];  // [first inner run is paper] the starts - 1 inner runs' tokens
};
using StartPatterns = std::array<StartPattern, 256>;

constexpr StartPatterns make_start_patterns() {
    StartPatterns patterns{};
    for (int bits = 1; bits < 256; ++bits) {
        StartPattern& p = patterns[static_cast<std::size_t>(bits)];
        int previous = -1;
        for (int b = 0; b < 8; ++b) {
            if ((bits >> b & 1) == 0) {
                continue;
            }
            if (previous < 0) {
                p.first = static_cast<uint8_t>(b);
            } else {
                const int inner = p.starts - 1;
                const auto length_token = static_cast<uint8_t>(b - previous - 1);
                const uint8_t first_kind = inner % 2 == 0 ? 0 : PAPER_BIT;
                p.tokens[0][inner] = static_cast<uint8_t>(length_token | first_kind);
                p.tokens[1][inner] = static_cast<uint8_t>(length_token | (first_kind ^ PAPER_BIT));
            }
            ++p.starts;
            p.last = static_cast<uint8_t>(b);
            previous = b;
        }
    }
    return patterns;
}
constexpr StartPatterns START_PATTERNS = make_start_patterns();

// std::popcount, without the call the x86-64 baseline (no popcnt instruction) makes of it.
int bit_count(uint64_t x) {
    x -= (x >> 1) & 0x5555555555555555u;
    x = (x & 0x3333333333333333u) + ((x >> 2) & 0x3333333333333333u);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
    return static_cast<int>((x * 0x0101010101010101u) >> 56);
}

// Blocks with more run starts than this go through the table.
constexpr int DENSE_BLOCK_STARTS = 8;

// The room check is left out when the room cannot run out (there are never more tokens than
// pixels), which keeps the one-pixel runs of the worst picture cheap. Everything lives in locals:
// the token stores may alias anything, and would otherwise force reloads.
template <bool CHECK_ROOM>
int32_t encode_pixels(const uint8_t* bits, int32_t pixels, uint8_t* out, int32_t capacity) {
    int32_t count = 0;
    uint8_t kind = bits[0] == CANVAS_INK ? 0 : PAPER_BIT;
    int32_t run_start = 0;
    // Ends the current run before pixel `end`; false when its tokens do not fit.
    const auto put_run = [&](int32_t end) {
        const int32_t length = end - run_start;
        if (length > MAX_RUN) {
            count = put_long_run(out, count, capacity, kind, length);
            if (count < 0) {
                return false;
            }
        } else {
            if (CHECK_ROOM && count == capacity) {
                return false;
            }
            out[count++] = static_cast<uint8_t>((length - 1) | kind);
        }
        run_start = end;
        kind ^= PAPER_BIT;
        return true;
    };
    int32_t block = 0;
    for (; pixels - block >= BLOCK_PIXELS; block += BLOCK_PIXELS) {
        const uint64_t mask = ink_mask(bits + block);
        // A set bit marks a pixel whose kind differs from the pixel before it: a run starts there.
        uint64_t starts = mask ^ ((mask << 1) | static_cast<uint64_t>(kind == 0));
        if (starts == 0) {
            continue;
        }
        if (bit_count(starts) <= DENSE_BLOCK_STARTS) {
            for (; starts != 0; starts &= starts - 1) {
                if (!put_run(block + std::countr_zero(starts))) {
                    return -1;
                }
            }
            continue;
        }
        for (int32_t group = 0; group < BLOCK_PIXELS; group += 8) {
            uint32_t group_starts = static_cast<uint32_t>(starts >> group) & 0xFF;
            if (group_starts == 0) {
                continue;
            }
            const StartPattern& pattern = START_PATTERNS[group_starts];
            const int32_t base = block + group;
            if (!put_run(base + pattern.first)) {
                return -1;
            }
            // Eight token bytes are copied, however many of them count.
            if (capacity - count >= 8) {
                std::memcpy(out + count, pattern.tokens[kind != 0], 8);
                count += pattern.starts - 1;
                if ((pattern.starts - 1) % 2 != 0) {
                    kind ^= PAPER_BIT;
                }
                run_start = base + pattern.last;
                continue;
            }
            for (group_starts &= group_starts - 1; group_starts != 0;
                 group_starts &= group_starts - 1) {
                if (!put_run(base + std::countr_zero(group_starts))) {
                    return -1;
                }
            }
        }
    }
    for (int32_t i = block; i < pixels; ++i) {
        if ((bits[i] == CANVAS_INK) != (kind == 0) && !put_run(i)) {
            return -1;
        }
    }
    return put_run(pixels) ? count : -1;
}

}  // namespace

int32_t encode_runs(const uint8_t* bits, int32_t width, int32_t height, uint8_t* out,
                    int32_t capacity) {
    if (width <= 0 || height <= 0 || static_cast<int64_t>(width) * height > INT32_MAX) {
        return -1;
    }
    const int32_t pixels = width * height;
    return capacity >= pixels ? encode_pixels<false>(bits, pixels, out, capacity)
                              : encode_pixels<true>(bits, pixels, out, capacity);
}

Frame* encode_frame(const uint8_t* bits, int32_t width, int32_t height, uint8_t* scratch,
                    BlockAllocator allocate) {
    const int32_t count = encode_runs(bits, width, height, scratch, FRAME_PIXELS);
    if (count < 0) {
        return nullptr;
    }
    Frame* frame = allocate_frame(count, allocate);
    if (frame != nullptr) {
        std::memcpy(frame_tokens(frame), scratch, static_cast<std::size_t>(count));
    }
    return frame;
}

namespace {

constexpr int32_t PIECE = 16;

// Fills exactly `length` bytes (at least 1) with the piece's value, in a few fixed-size stores that
// may overlap each other but never leave the run: a run is short, and a call of memset per run
// would cost more than the filling.
void fill_run(uint8_t* at, int64_t length, const uint8_t (&piece)[PIECE]) {
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

// Both kinds painted: a run is filled in pairs of whole pieces, and whatever they write past the
// run's end (up to 2 * PIECE - 1 bytes) the following runs paint again. That holds while at least
// 2 * PIECE more tokens follow (each paints at least one pixel) and while a piece cannot pass the
// end of the target; the rest is filled exactly. Long stretches of one kind (full runs in a row) go to memset in one piece.
int64_t draw_opaque(uint8_t* bits, int64_t pixels, const uint8_t* tokens, int32_t token_count,
                    uint8_t ink_value, uint8_t paper_value, int32_t* next_token) {
    uint8_t ink_piece[PIECE];
    uint8_t paper_piece[PIECE];
    std::memset(ink_piece, ink_value, PIECE);
    std::memset(paper_piece, paper_value, PIECE);
    const int64_t safe_end = pixels - MAX_RUN;
    const int32_t safe_tokens = token_count - 2 * PIECE;
    int64_t position = 0;
    int32_t i = 0;
    while (i < safe_tokens && position <= safe_end) {
        const uint8_t token = tokens[i++];
        const bool ink = is_ink_token(token);
        int64_t length = token_run_length(token);
        if (length == MAX_RUN) {
            while (i < token_count && is_ink_token(tokens[i]) == ink) {
                length += token_run_length(tokens[i++]);
            }
            if (length > pixels - position) {
                length = pixels - position;
            }
            std::memset(bits + position, ink ? ink_value : paper_value,
                        static_cast<std::size_t>(length));
        } else {
            const uint8_t* piece = ink ? ink_piece : paper_piece;
            std::memcpy(bits + position, piece, PIECE);
            std::memcpy(bits + position + PIECE, piece, PIECE);
            for (int64_t done = 2 * PIECE; done < length; done += 2 * PIECE) {
                std::memcpy(bits + position + done, piece, PIECE);
                std::memcpy(bits + position + done + PIECE, piece, PIECE);
            }
        }
        position += length;
    }
    *next_token = i;
    return position;
}

}  // namespace

int32_t draw_frame(uint8_t* bits, int32_t width, int32_t height, const Frame* frame,
                   uint8_t ink_value, uint8_t paper_value) {
    const int64_t pixels = width > 0 && height > 0 ? static_cast<int64_t>(width) * height : 0;
    const uint8_t* tokens = frame_tokens(frame);
    int64_t position = 0;
    int32_t i = 0;
    if (ink_value != 0 && paper_value != 0) {
        position =
            draw_opaque(bits, pixels, tokens, frame->token_count, ink_value, paper_value, &i);
    }
    uint8_t ink_piece[PIECE];
    uint8_t paper_piece[PIECE];
    std::memset(ink_piece, ink_value, PIECE);
    std::memset(paper_piece, paper_value, PIECE);
    for (; i < frame->token_count && position < pixels; ++i) {
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

int64_t frame_pixel_count(const Frame* frame) {
    const uint8_t* tokens = frame_tokens(frame);
    int64_t pixels = 0;
    for (int32_t i = 0; i < frame->token_count; ++i) {
        pixels += token_run_length(tokens[i]);
    }
    return pixels;
}
