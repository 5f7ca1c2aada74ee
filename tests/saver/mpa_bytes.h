// Small animation files for the saver's tests, built byte by byte.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_folder.h"

struct MpaBytes {
    std::vector<uint8_t> bytes;

    MpaBytes& int32(int32_t value) {
        for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(uint32_t(value) >> (8 * i)));
        return *this;
    }
    MpaBytes& header(int32_t pages, int32_t speed = 5, int32_t version = 0, int32_t width = 320,
                     int32_t height = 240, int32_t header_size = 24) {
        return int32(header_size).int32(width).int32(height).int32(pages).int32(speed).int32(version);
    }
    MpaBytes& record(const std::vector<uint8_t>& tokens) {
        int32(int32_t(tokens.size()));
        bytes.insert(bytes.end(), tokens.begin(), tokens.end());
        return *this;
    }
};

// A whole picture whose top row starts with `black` black pixels (1 .. 128), all else white.
std::vector<uint8_t> tokens_with_black_lead(int black);
// Black pixels at the start of the top row of a top-first picture.
int black_lead(const std::vector<uint8_t>& top_first);

// A file in a fresh temporary folder, removed with the object.
class TempFile {
public:
    explicit TempFile(const std::vector<uint8_t>& bytes);
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& path() const { return path_; }

private:
    test_support::TempFolder folder_;
    std::string path_;
};
