// Tiny 8-bit DIB files for the menu image tests.
#pragma once

#include <cstdint>
#include <vector>

namespace anim_test {

// A DIB file: 14-byte file header, 40-byte information header, no colour table, then the pixel
// bytes as given (rows one after another).
inline std::vector<uint8_t> dib_file(int32_t width, int32_t height,
                                     const std::vector<uint8_t>& pixels,
                                     const char type[2] = "BM") {
    std::vector<uint8_t> bytes(54 + pixels.size(), 0);
    auto put = [&bytes](std::size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
        }
    };
    bytes[0] = static_cast<uint8_t>(type[0]);
    bytes[1] = static_cast<uint8_t>(type[1]);
    put(2, static_cast<uint32_t>(54 + pixels.size()));
    put(10, 54);
    put(14, 40);
    put(18, static_cast<uint32_t>(width));
    put(22, static_cast<uint32_t>(height));
    bytes[26] = 1;
    bytes[28] = 8;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        bytes[54 + i] = pixels[i];
    }
    return bytes;
}

}  // namespace anim_test
