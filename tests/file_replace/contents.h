// File contents as the replacing tests write and compare them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "file_replace/file_output.h"

namespace file_replace_test {

inline std::vector<uint8_t> bytes_of(const std::string& text) { return {text.begin(), text.end()}; }

// A writer of `text`, as replace_file takes it.
inline std::function<void(FileOutput&)> writes(const std::string& text) {
    return [text](FileOutput& out) { out.write(text); };
}

}  // namespace file_replace_test
