#include "convert/converter_state.h"

#include <cstring>

int set_converter_path(char (&buffer)[CONVERTER_PATH_CAPACITY], const char* text) {
    const size_t length = std::strlen(text);
    if (length >= CONVERTER_PATH_CAPACITY) {
        buffer[0] = '\0';
        return -1;
    }
    std::memcpy(buffer, text, length + 1);
    return 0;
}

void release_source_frames(ConverterState* state) {
    free_frames(state->frames, state->frame_count);
    state->frame_count = 0;
}
