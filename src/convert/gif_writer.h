// A GIF89a writer for two-colour pictures, small enough to read in one sitting. The file it
// builds in memory is:
//   "GIF89a", the logical screen (width, height, a global colour table of two entries: index 0
//   black ink, index 1 white paper, background paper);
//   when looping, the NETSCAPE2.0 application extension with a loop count of 0 (for ever);
//   per image a graphic control extension (disposal 1, "do not dispose": the next image is drawn
//   over this one; the delay in hundredths of a second; no transparency) and an image
//   descriptor with its LZW data: minimum code size 2 (the smallest GIF allows; clear code 4,
//   end code 5), codes of 3 up to 12 bits packed from the least significant bit, a clear code
//   whenever the table is full, data sub-blocks of up to 255 bytes;
//   the trailer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr uint8_t GIF_INK = 0;
constexpr uint8_t GIF_PAPER = 1;
constexpr int32_t GIF_MAX_DELAY = 65535;

struct GifRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// Header, screen, colour table and, when `loop_forever`, the loop extension.
void gif_start(std::vector<uint8_t>* out, int32_t width, int32_t height, bool loop_forever);
// One image over `rect` of the screen (width and height at least 1): `pixels` holds its
// rect.width * rect.height colour indices (GIF_INK or GIF_PAPER), top row first, shown for
// `delay` hundredths (0 .. GIF_MAX_DELAY). Returns where its delay is stored, for
// gif_set_delay.
size_t gif_add_image(std::vector<uint8_t>* out, const GifRect& rect, const uint8_t* pixels,
                     int32_t delay);
// Changes the delay of an image already added (0 .. GIF_MAX_DELAY).
void gif_set_delay(std::vector<uint8_t>* out, size_t delay_at, int32_t delay);
void gif_finish(std::vector<uint8_t>* out);
