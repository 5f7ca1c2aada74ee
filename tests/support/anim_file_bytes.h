// Builds animation files byte by byte, so tests can make valid and damaged files alike.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "anim/animation_file.h"

namespace test_support {

struct FileBytes {
    std::vector<uint8_t> bytes;

    FileBytes& int32(int32_t value) {
        const auto bits = static_cast<uint32_t>(value);
        for (int i = 0; i < 4; ++i) {
            bytes.push_back(static_cast<uint8_t>(bits >> (8 * i)));
        }
        return *this;
    }
    FileBytes& header(int32_t page_count, int32_t speed = 5, int32_t version = 0,
                      int32_t width = 320, int32_t height = 240, int32_t header_size = 24) {
        return int32(header_size)
            .int32(width)
            .int32(height)
            .int32(page_count)
            .int32(speed)
            .int32(version);
    }
    FileBytes& record(const std::vector<uint8_t>& tokens) {
        int32(static_cast<int32_t>(tokens.size()));
        bytes.insert(bytes.end(), tokens.begin(), tokens.end());
        return *this;
    }
    FileBytes& raw(const std::vector<uint8_t>& data) {
        bytes.insert(bytes.end(), data.begin(), data.end());
        return *this;
    }
    FileBytes& cut(std::size_t size) {
        bytes.resize(size);
        return *this;
    }
};

inline std::vector<uint8_t> white_tokens() { return std::vector<uint8_t>(600, 255); }

// Tokens of a picture whose top half is black and bottom half white.
inline std::vector<uint8_t> half_black_tokens() {
    // Filled in place: MinGW's GCC 12 reports a false -Warray-bounds for a vector grown with
    // insert() here.
    std::vector<uint8_t> tokens(600, 255);
    std::fill_n(tokens.begin(), 300, uint8_t{127});
    return tokens;
}

}  // namespace test_support
