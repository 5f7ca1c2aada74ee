#include "convert/bmp_file.h"

#include <cstring>

namespace {

void put_u16(uint8_t* at, uint32_t value) {
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

void put_u32(uint8_t* at, uint32_t value) {
    put_u16(at, value);
    put_u16(at + 2, value >> 16);
}

}  // namespace

void make_bmp_header(int32_t width, int32_t height, uint8_t header[BMP_HEADER_SIZE]) {
    const uint32_t image_size = static_cast<uint32_t>(width) * static_cast<uint32_t>(height) / 8;
    std::memset(header, 0, BMP_HEADER_SIZE);
    header[0] = 'B';
    header[1] = 'M';
    put_u32(header + 2, BMP_HEADER_SIZE + image_size);
    put_u32(header + 10, BMP_HEADER_SIZE);
    put_u32(header + 14, 40);
    put_u32(header + 18, static_cast<uint32_t>(width));
    put_u32(header + 22, static_cast<uint32_t>(height));
    put_u16(header + 26, 1);
    put_u16(header + 28, 1);
    put_u32(header + 34, image_size);
    put_u32(header + 46, 2);
    put_u32(header + 50, 2);
    // Entry 0 white (blue, green, red, reserved); entry 1 stays black.
    header[54] = 255;
    header[55] = 255;
    header[56] = 255;
}
