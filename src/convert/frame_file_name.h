// Names of the BMP files: the chosen prefix, the frame index as four digits, the extension.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int32_t MAX_FRAME_FILE_INDEX = 9999;

// Writes prefix + "%04d" of index + extension into out (capacity bytes, NUL included) and returns
// 0; returns -1 and builds nothing when the index is outside 0 .. 9999 or the name does not fit.
int frame_file_name(const char* prefix, int32_t index, const char* extension, char* out,
                    size_t capacity);
