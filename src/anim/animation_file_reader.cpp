#include "anim/animation_file.h"

#include <cstdio>
#include <cstring>

namespace {

// Where the bytes come from: a file or a buffer. read returns the bytes delivered.
struct ByteSource {
    std::size_t (*read)(void* context, uint8_t* buffer, std::size_t bytes);
    void* context;
};

std::size_t read_from_file(void* context, uint8_t* buffer, std::size_t bytes) {
    return std::fread(buffer, 1, bytes, static_cast<std::FILE*>(context));
}

struct MemoryCursor {
    const uint8_t* data;
    std::size_t size;
    std::size_t position;
};

std::size_t read_from_memory(void* context, uint8_t* buffer, std::size_t bytes) {
    auto* cursor = static_cast<MemoryCursor*>(context);
    const std::size_t available = cursor->size - cursor->position;
    const std::size_t count = bytes < available ? bytes : available;
    if (count > 0) {
        std::memcpy(buffer, cursor->data + cursor->position, count);
    }
    cursor->position += count;
    return count;
}

bool read_exactly(const ByteSource& source, uint8_t* buffer, std::size_t bytes) {
    return source.read(source.context, buffer, bytes) == bytes;
}

int32_t little_endian_int32(const uint8_t* bytes) {
    const uint32_t value = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                           static_cast<uint32_t>(bytes[2]) << 16 |
                           static_cast<uint32_t>(bytes[3]) << 24;
    return static_cast<int32_t>(value);
}

AnimationFileHeader decode_header(const uint8_t* bytes) {
    AnimationFileHeader header;
    header.header_size = little_endian_int32(bytes);
    header.image_width = little_endian_int32(bytes + 4);
    header.image_height = little_endian_int32(bytes + 8);
    header.page_count = little_endian_int32(bytes + 12);
    header.speed = little_endian_int32(bytes + 16);
    header.storage_version = little_endian_int32(bytes + 20);
    return header;
}

ReadStatus check_header(const AnimationFileHeader& header, const ReadOptions& options) {
    if (header.image_width != CANVAS_WIDTH || header.image_height != CANVAS_HEIGHT) {
        return ReadStatus::wrong_image_size;
    }
    if (header.page_count >= MAX_FRAMES) {
        return ReadStatus::too_many_pages;
    }
    if (header.page_count < 0) {
        return ReadStatus::negative_page_count;
    }
    if (header.storage_version == STORAGE_RAW_BITS) {
        return options.accept_raw_frames ? ReadStatus::ok : ReadStatus::raw_version_refused;
    }
    if (header.storage_version != STORAGE_RUN_LENGTH) {
        return ReadStatus::unknown_version;
    }
    return ReadStatus::ok;
}

// Reads one record into a new block; on failure *frame stays null.
ReadStatus read_record(const ByteSource& source, bool raw, const ReadOptions& options,
                       Frame** frame) {
    int32_t token_count = RAW_FRAME_BYTES;
    if (!raw) {
        uint8_t count_bytes[4];
        if (!read_exactly(source, count_bytes, sizeof count_bytes)) {
            return ReadStatus::short_read;
        }
        token_count = little_endian_int32(count_bytes);
        if (token_count < 0 || token_count > FRAME_PIXELS) {
            return ReadStatus::damaged_record;
        }
    }
    Frame* block = allocate_frame(token_count, options.allocate);
    if (block == nullptr) {
        return ReadStatus::out_of_memory;
    }
    if (!read_exactly(source, frame_tokens(block), static_cast<std::size_t>(token_count))) {
        free_frame(block);
        return ReadStatus::short_read;
    }
    *frame = block;
    return ReadStatus::ok;
}

ReadResult read_animation(const ByteSource& source, Frame** table, const ReadOptions& options) {
    ReadResult result;
    uint8_t header_bytes[FILE_HEADER_SIZE];
    if (!read_exactly(source, header_bytes, sizeof header_bytes)) {
        result.status = ReadStatus::header_too_short;
        return result;
    }
    result.header = decode_header(header_bytes);
    if (result.header.header_size != FILE_HEADER_SIZE) {
        result.header_size_differs = true;
        if (options.on_header_size != nullptr) {
            options.on_header_size(options.context, result.header.header_size);
        }
    }
    result.status = check_header(result.header, options);
    if (result.status != ReadStatus::ok) {
        return result;
    }
    result.raw_frames = result.header.storage_version == STORAGE_RAW_BITS;
    for (int32_t i = 0; i < result.header.page_count; ++i) {
        Frame* frame = nullptr;
        result.status = read_record(source, result.raw_frames, options, &frame);
        if (result.status != ReadStatus::ok) {
            result.failed_frame = i;
            return result;
        }
        table[i] = frame;
        result.frames_read = i + 1;
        if (options.on_frame_read != nullptr) {
            options.on_frame_read(options.context, i);
        }
    }
    return result;
}

}  // namespace

ReadResult read_animation_file(const char* path, Frame** table, const ReadOptions& options) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        ReadResult result;
        result.status = ReadStatus::cannot_open;
        return result;
    }
    const ReadResult result = read_animation(ByteSource{read_from_file, file}, table, options);
    std::fclose(file);
    return result;
}

ReadResult read_animation_bytes(const uint8_t* data, std::size_t size, Frame** table,
                                const ReadOptions& options) {
    MemoryCursor cursor{data, size, 0};
    return read_animation(ByteSource{read_from_memory, &cursor}, table, options);
}

int32_t playable_speed(int32_t stored_speed) {
    return stored_speed < 1 ? DEFAULT_SPEED : stored_speed;
}
