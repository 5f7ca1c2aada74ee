// The one reader and writer of animation files (.mpa), shared by the editor, the screen saver and
// the converter. They report what happened; each program words its own messages. Nothing here
// uses the host, so programs without the editor's host can link it.
//
// File: a 24-byte header of six signed 32-bit little-endian integers, then page_count records.
// Storage version 0: each record is a frame block (count, tokens). Version -1 (older): each record
// is RAW_FRAME_BYTES of 1-bit pixels, bit 0 leftmost, a set bit white.
#pragma once

#include <cstddef>
#include <cstdint>

#include "anim/frame.h"

constexpr int32_t FILE_HEADER_SIZE = 24;
constexpr int32_t STORAGE_RUN_LENGTH = 0;
constexpr int32_t STORAGE_RAW_BITS = -1;
constexpr int32_t DEFAULT_SPEED = 5;

struct AnimationFileHeader {
    int32_t header_size = FILE_HEADER_SIZE;
    int32_t image_width = CANVAS_WIDTH;
    int32_t image_height = CANVAS_HEIGHT;
    int32_t page_count = 0;
    int32_t speed = DEFAULT_SPEED;
    int32_t storage_version = STORAGE_RUN_LENGTH;
};

// Outcomes, in the order the checks are made. Everything up to unknown_version refuses the file
// before any record is read; the last three stop at record `failed_frame`.
enum class ReadStatus {
    ok,
    cannot_open,
    header_too_short,  // fewer than 24 bytes
    wrong_image_size,  // not 320 x 240
    too_many_pages,    // page_count >= MAX_FRAMES
    negative_page_count,
    raw_version_refused,  // version -1 and the caller does not accept raw frames
    unknown_version,      // neither 0 nor -1
    out_of_memory,        // a record's block could not be allocated
    short_read,           // the file ends inside a record
    damaged_record,       // a token count below 0 or above FRAME_PIXELS
};

struct ReadOptions {
    // Version -1 files are read (editor only): each record comes back as a frame block whose
    // token_count is RAW_FRAME_BYTES and whose "tokens" are the raw bytes, to be converted.
    bool accept_raw_frames = false;
    BlockAllocator allocate = allocate_block;
    // Called when header_size is not 24 (the only soft check), before the other checks.
    void (*on_header_size)(void* context, int32_t header_size) = nullptr;
    // Called after record `index` has been stored.
    void (*on_frame_read)(void* context, int32_t index) = nullptr;
    void* context = nullptr;
};

struct ReadResult {
    ReadStatus status = ReadStatus::ok;
    // As read; all zero when the header itself could not be read.
    AnimationFileHeader header{0, 0, 0, 0, 0, 0};
    bool header_size_differs = false;
    // Slots 0 .. frames_read - 1 of the table now hold blocks the caller owns, also after a failure.
    int32_t frames_read = 0;
    // The record at which reading stopped (out_of_memory, short_read, damaged_record), else -1.
    int32_t failed_frame = -1;
    // The frames are raw version -1 blocks.
    bool raw_frames = false;
};

// Reads the file into `table` (MAX_FRAMES slots; slots at and past frames_read are left alone).
ReadResult read_animation_file(const char* path, Frame** table, const ReadOptions& options);
// The same from bytes in memory.
ReadResult read_animation_bytes(const uint8_t* data, std::size_t size, Frame** table,
                                const ReadOptions& options);

// A stored speed that playback can use: values below 1 (which would divide by zero) become
// DEFAULT_SPEED.
int32_t playable_speed(int32_t stored_speed);

enum class WriteStatus {
    ok,
    cannot_create,   // no file could be written: not beside the old one, nor the old one itself
    write_failed,    // a write failed (full disk, removed drive)
    cannot_replace,  // the complete new file could not take the old one's place
};

struct WriteResult {
    WriteStatus status = WriteStatus::ok;
    // Records written before the failure.
    int32_t frames_written = 0;
};

// Writes header (24, 320, 240, frame_count, speed, 0) and frames 0 .. frame_count - 1 to a new
// file beside `path`, and only when that file is complete and on the disk puts it in the place of
// `path`, which keeps its permissions and links. On any failure the new file is removed and an
// existing file at `path` is left as it was. Where its folder takes no new file (or the disk
// has no room for two copies of a file no larger than the old one), the file is written in place
// as a plain save would, and a failure leaves it holding the records written before.
WriteResult write_animation_file(const char* path, const Frame* const* frames, int32_t frame_count,
                                 int32_t speed);
