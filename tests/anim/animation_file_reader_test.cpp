#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "anim/animation_file.h"
#include "support/anim_file_bytes.h"

namespace {

using test_support::FileBytes;

// A table of MAX_FRAMES slots that releases what the reader left in it.
struct FrameTable {
    std::vector<Frame*> slots = std::vector<Frame*>(MAX_FRAMES, nullptr);
    ~FrameTable() { free_frames(slots.data(), MAX_FRAMES); }
    Frame** data() { return slots.data(); }
};

ReadResult read_bytes(const FileBytes& file, FrameTable* table, const ReadOptions& options = {}) {
    return read_animation_bytes(file.bytes.data(), file.bytes.size(), table->data(), options);
}

std::vector<uint8_t> tokens_of(const Frame* frame) {
    return std::vector<uint8_t>(frame_tokens(frame), frame_tokens(frame) + frame->token_count);
}

TEST(AnimationReader, NewAnimationFileGivesOneEmptyFrame) {
    const uint8_t file[28] = {0x18, 0, 0, 0, 0x40, 1, 0, 0, 0xF0, 0, 0, 0, 1, 0,
                              0,    0, 5, 0, 0,    0, 0, 0, 0,    0, 0, 0, 0, 0};
    FrameTable table;
    const ReadResult result = read_animation_bytes(file, sizeof file, table.data(), {});
    EXPECT_EQ(result.status, ReadStatus::ok);
    EXPECT_EQ(result.frames_read, 1);
    EXPECT_EQ(result.header.speed, 5);
    EXPECT_FALSE(result.header_size_differs);
    EXPECT_FALSE(result.raw_frames);
    ASSERT_NE(table.slots[0], nullptr);
    EXPECT_EQ(table.slots[0]->token_count, 0);
    EXPECT_EQ(table.slots[1], nullptr);
}

TEST(AnimationReader, ReadsFramesAsStored) {
    const std::vector<uint8_t> odd_tokens = {0, 128, 5, 200};  // runs need not add up
    const FileBytes file = FileBytes()
                               .header(3, 12)
                               .record(test_support::white_tokens())
                               .record({})
                               .record(odd_tokens);
    FrameTable table;
    std::vector<int32_t> progress;
    ReadOptions options;
    options.context = &progress;
    options.on_frame_read = [](void* context, int32_t index) {
        static_cast<std::vector<int32_t>*>(context)->push_back(index);
    };
    const ReadResult result = read_bytes(file, &table, options);
    EXPECT_EQ(result.status, ReadStatus::ok);
    EXPECT_EQ(result.frames_read, 3);
    EXPECT_EQ(result.header.speed, 12);
    EXPECT_EQ(tokens_of(table.slots[0]), test_support::white_tokens());
    EXPECT_EQ(table.slots[1]->token_count, 0);
    EXPECT_EQ(tokens_of(table.slots[2]), odd_tokens);
    EXPECT_EQ(progress, (std::vector<int32_t>{0, 1, 2}));
}

TEST(AnimationReader, HeaderSizeIsOnlyReported) {
    const FileBytes file = FileBytes().header(2, 5, 0, 320, 240, 20).record({}).record({});
    FrameTable table;
    std::vector<int32_t> reported;
    ReadOptions options;
    options.context = &reported;
    options.on_header_size = [](void* context, int32_t size) {
        static_cast<std::vector<int32_t>*>(context)->push_back(size);
    };
    const ReadResult result = read_bytes(file, &table, options);
    EXPECT_EQ(result.status, ReadStatus::ok);
    EXPECT_TRUE(result.header_size_differs);
    EXPECT_EQ(result.frames_read, 2);
    EXPECT_EQ(reported, (std::vector<int32_t>{20}));
}

TEST(AnimationReader, HeaderSizeIsReportedBeforeARefusal) {
    const FileBytes file = FileBytes().header(1, 5, 0, 321, 240, 99);
    FrameTable table;
    int reports = 0;
    ReadOptions options;
    options.context = &reports;
    options.on_header_size = [](void* context, int32_t) { ++*static_cast<int*>(context); };
    EXPECT_EQ(read_bytes(file, &table, options).status, ReadStatus::wrong_image_size);
    EXPECT_EQ(reports, 1);
}

TEST(AnimationReader, PageCountLimits) {
    FileBytes largest = FileBytes().header(4095);
    for (int i = 0; i < 4095; ++i) {
        largest.record({});
    }
    FrameTable table;
    const ReadResult result = read_bytes(largest, &table);
    EXPECT_EQ(result.status, ReadStatus::ok);
    EXPECT_EQ(result.frames_read, 4095);

    FrameTable none;
    const ReadResult empty = read_bytes(FileBytes().header(0), &none);
    EXPECT_EQ(empty.status, ReadStatus::ok);
    EXPECT_EQ(empty.frames_read, 0);
    EXPECT_EQ(none.slots[0], nullptr);
}

struct DamagedCase {
    const char* name;
    FileBytes file;
    ReadStatus status;
    int32_t frames_read;
    int32_t failed_frame;
};

std::vector<DamagedCase> damaged_cases() {
    const FileBytes two_frames = FileBytes()
                                     .header(2)
                                     .record(test_support::white_tokens())
                                     .record(test_support::half_black_tokens());
    return {
        {"empty file", FileBytes(), ReadStatus::header_too_short, 0, -1},
        {"cut in the header", FileBytes().header(1).cut(23), ReadStatus::header_too_short, 0, -1},
        {"width 321", FileBytes().header(1, 5, 0, 321, 240).record({}),
         ReadStatus::wrong_image_size, 0, -1},
        {"height 239", FileBytes().header(1, 5, 0, 320, 239).record({}),
         ReadStatus::wrong_image_size, 0, -1},
        {"4096 pages", FileBytes().header(4096).record({}), ReadStatus::too_many_pages, 0, -1},
        {"huge page count", FileBytes().header(INT32_MAX), ReadStatus::too_many_pages, 0, -1},
        {"negative page count", FileBytes().header(-1).record({}), ReadStatus::negative_page_count,
         0, -1},
        {"most negative page count", FileBytes().header(INT32_MIN), ReadStatus::negative_page_count,
         0, -1},
        {"older version not accepted", FileBytes().header(1, 5, -1).raw(std::vector<uint8_t>(9600)),
         ReadStatus::raw_version_refused, 0, -1},
        {"version 1", FileBytes().header(1, 5, 1).record({}), ReadStatus::unknown_version, 0, -1},
        {"version -2", FileBytes().header(1, 5, -2).record({}), ReadStatus::unknown_version, 0, -1},
        {"no records", FileBytes().header(2), ReadStatus::short_read, 0, 0},
        {"cut in a count", FileBytes(two_frames).cut(24 + 604 + 2), ReadStatus::short_read, 1, 1},
        {"cut in the tokens", FileBytes(two_frames).cut(two_frames.bytes.size() - 1),
         ReadStatus::short_read, 1, 1},
        {"negative token count", FileBytes().header(2).record({}).int32(-1),
         ReadStatus::damaged_record, 1, 1},
        {"token count past a picture",
         FileBytes().header(1).int32(76801).raw(std::vector<uint8_t>(76801)),
         ReadStatus::damaged_record, 0, 0},
        {"huge token count", FileBytes().header(1).int32(INT32_MAX), ReadStatus::damaged_record, 0,
         0},
        {"cut in the older version",
         FileBytes().header(2, 5, -1).raw(std::vector<uint8_t>(9600 + 9599)),
         ReadStatus::short_read, 1, 1},
    };
}

TEST(AnimationReader, DamagedFiles) {
    for (const DamagedCase& c : damaged_cases()) {
        SCOPED_TRACE(c.name);
        FrameTable table;
        ReadOptions options;
        options.accept_raw_frames = c.status != ReadStatus::raw_version_refused;
        const ReadResult result = read_bytes(c.file, &table, options);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.frames_read, c.frames_read);
        EXPECT_EQ(result.failed_frame, c.failed_frame);
        for (int32_t i = 0; i < MAX_FRAMES; ++i) {
            ASSERT_EQ(table.slots[i] != nullptr, i < c.frames_read) << "slot " << i;
        }
    }
}

TEST(AnimationReader, OlderVersionComesBackRaw) {
    std::vector<uint8_t> first(9600, 0xFF);
    first[0] = 0x01;
    const std::vector<uint8_t> second(9600, 0x00);
    const FileBytes file = FileBytes().header(2, 8, -1).raw(first).raw(second);
    FrameTable table;
    ReadOptions options;
    options.accept_raw_frames = true;
    const ReadResult result = read_bytes(file, &table, options);
    EXPECT_EQ(result.status, ReadStatus::ok);
    EXPECT_TRUE(result.raw_frames);
    EXPECT_EQ(result.frames_read, 2);
    EXPECT_EQ(tokens_of(table.slots[0]), first);
    EXPECT_EQ(tokens_of(table.slots[1]), second);
}

int g_allocations_left = 0;
void* limited_memory(std::size_t bytes) {
    return g_allocations_left-- > 0 ? allocate_block(bytes) : nullptr;
}

TEST(AnimationReader, OutOfMemoryKeepsTheFramesBefore) {
    const FileBytes file = FileBytes().header(4).record({}).record({1, 2}).record({}).record({});
    FrameTable table;
    ReadOptions options;
    options.allocate = limited_memory;
    g_allocations_left = 2;
    const ReadResult result = read_bytes(file, &table, options);
    EXPECT_EQ(result.status, ReadStatus::out_of_memory);
    EXPECT_EQ(result.frames_read, 2);
    EXPECT_EQ(result.failed_frame, 2);
    EXPECT_EQ(table.slots[2], nullptr);
}

TEST(AnimationReader, MissingFileCannotBeOpened) {
    FrameTable table;
    EXPECT_EQ(read_animation_file("/nonexistent-folder/x.mpa", table.data(), {}).status,
              ReadStatus::cannot_open);
}

TEST(PlayableSpeed, NeverBelowOne) {
    struct Case {
        int32_t stored;
        int32_t playable;
    };
    for (const Case c :
         {Case{0, 5}, Case{-3, 5}, Case{INT32_MIN, 5}, Case{1, 1}, Case{60, 60}, Case{500, 500}}) {
        EXPECT_EQ(playable_speed(c.stored), c.playable) << c.stored;
    }
}

}  // namespace
