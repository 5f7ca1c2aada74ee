#include "convert/frame_file_name.h"

#include <cstdio>

int frame_file_name(const char* prefix, int32_t index, const char* extension, char* out,
                    size_t capacity) {
    if (index < 0 || index > MAX_FRAME_FILE_INDEX || capacity == 0) return -1;
    const int n =
        std::snprintf(out, capacity, "%s%04d%s", prefix, static_cast<int>(index), extension);
    if (n < 0 || static_cast<size_t>(n) >= capacity) {
        out[0] = '\0';
        return -1;
    }
    return 0;
}
