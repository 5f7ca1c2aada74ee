// Small animation files for the saver's tests, built byte by byte.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/anim_file_bytes.h"
#include "support/temp_folder.h"

using test_support::FileBytes;

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
