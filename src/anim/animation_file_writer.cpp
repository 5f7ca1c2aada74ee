#include "anim/animation_file.h"

#include "file_replace/replace_file.h"

namespace {

void put_int32(uint8_t* bytes, int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<uint8_t>(bits >> (8 * i));
    }
}

bool write_header(FileOutput& output, int32_t frame_count, int32_t speed) {
    const int32_t fields[6] = {FILE_HEADER_SIZE, CANVAS_WIDTH, CANVAS_HEIGHT,
                               frame_count,      speed,        STORAGE_RUN_LENGTH};
    uint8_t bytes[FILE_HEADER_SIZE];
    for (int i = 0; i < 6; ++i) {
        put_int32(bytes + 4 * i, fields[i]);
    }
    return output.write(bytes, sizeof bytes);
}

bool write_record(FileOutput& output, const Frame* frame) {
    uint8_t count[4];
    put_int32(count, frame->token_count);
    return output.write(count, sizeof count) &&
           output.write(frame_tokens(frame), static_cast<std::size_t>(frame->token_count));
}

WriteStatus write_status(ReplaceStatus status) {
    switch (status) {
        case ReplaceStatus::ok: return WriteStatus::ok;
        case ReplaceStatus::cannot_create: return WriteStatus::cannot_create;
        case ReplaceStatus::write_failed: return WriteStatus::write_failed;
        case ReplaceStatus::cannot_replace: return WriteStatus::cannot_replace;
    }
    return WriteStatus::write_failed;
}

}  // namespace

WriteResult write_animation_file(const char* path, const Frame* const* frames, int32_t frame_count,
                                 int32_t speed) {
    WriteResult result;
    const ReplaceResult replaced = replace_file(path, [&](FileOutput& output) {
        int32_t written = 0;
        if (write_header(output, frame_count, speed)) {
            while (written < frame_count && write_record(output, frames[written])) {
                ++written;
            }
        }
        if (!output.measuring()) {
            result.frames_written = written;
        }
    });
    result.status = write_status(replaced.status);
    return result;
}
