#include "anim/animation_file.h"

#include <cstdio>
#include <string>

namespace {

void put_int32(uint8_t* bytes, int32_t value)
{
    const auto bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<uint8_t>(bits >> (8 * i));
    }
}

bool write_bytes(std::FILE* file, const void* bytes, std::size_t count)
{
    return count == 0 || std::fwrite(bytes, 1, count, file) == count;
}

bool write_header(std::FILE* file, int32_t frame_count, int32_t speed)
{
    const int32_t fields[6] = {FILE_HEADER_SIZE, CANVAS_WIDTH, CANVAS_HEIGHT, frame_count, speed,
                               STORAGE_RUN_LENGTH};
    uint8_t bytes[FILE_HEADER_SIZE];
    for (int i = 0; i < 6; ++i) {
        put_int32(bytes + 4 * i, fields[i]);
    }
    return write_bytes(file, bytes, sizeof bytes);
}

bool write_record(std::FILE* file, const Frame* frame)
{
    uint8_t count[4];
    put_int32(count, frame->token_count);
    return write_bytes(file, count, sizeof count) &&
           write_bytes(file, frame_tokens(frame), static_cast<std::size_t>(frame->token_count));
}

bool file_exists(const char* path)
{
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return false;
    }
    std::fclose(file);
    return true;
}

// An existing file the user may not write (read-only) is not replaced behind their back.
bool may_overwrite(const char* path)
{
    if (!file_exists(path)) {
        return true;
    }
    std::FILE* file = std::fopen(path, "r+b");
    if (file == nullptr) {
        return false;
    }
    std::fclose(file);
    return true;
}

// Writes everything and closes the file; a full disk often shows only when the buffer is flushed.
WriteResult write_contents(std::FILE* file, const Frame* const* frames, int32_t frame_count,
                           int32_t speed)
{
    WriteResult result;
    bool written = write_header(file, frame_count, speed);
    for (int32_t i = 0; written && i < frame_count; ++i) {
        written = write_record(file, frames[i]);
        if (written) {
            result.frames_written = i + 1;
        }
    }
    written = std::fflush(file) == 0 && written;
    written = std::fclose(file) == 0 && written;
    if (!written) {
        result.status = WriteStatus::write_failed;
    }
    return result;
}

// rename replaces an existing file on POSIX but not on every Windows runtime; there the old file
// is removed first, and the complete new file stays under its temporary name if the second
// rename still fails.
WriteStatus replace_file(const char* temporary, const char* path)
{
    if (std::rename(temporary, path) == 0) {
        return WriteStatus::ok;
    }
    if (file_exists(path)) {
        if (std::remove(path) != 0) {
            std::remove(temporary);
            return WriteStatus::cannot_replace;
        }
        if (std::rename(temporary, path) == 0) {
            return WriteStatus::ok;
        }
        return WriteStatus::cannot_replace;
    }
    std::remove(temporary);
    return WriteStatus::cannot_replace;
}

}  // namespace

WriteResult write_animation_file(const char* path, const Frame* const* frames, int32_t frame_count,
                                 int32_t speed)
{
    WriteResult result;
    const std::string temporary = std::string(path) + ".~wr";
    if (!may_overwrite(path)) {
        result.status = WriteStatus::cannot_create;
        return result;
    }
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        result.status = WriteStatus::cannot_create;
        return result;
    }
    result = write_contents(file, frames, frame_count, speed);
    if (result.status != WriteStatus::ok) {
        std::remove(temporary.c_str());
        return result;
    }
    result.status = replace_file(temporary.c_str(), path);
    return result;
}
