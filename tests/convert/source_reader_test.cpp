#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "convert/convert_animation.h"
#include "convert/converter_texts.h"
#include "convert_test_support.h"

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> with_header(MpaHeader header, int frames) {
    std::vector<std::vector<uint8_t>> records;
    for (int i = 0; i < frames; ++i) records.push_back(picture_tokens(test_picture(i)));
    return mpa_bytes(header, records);
}

std::vector<uint8_t> cut(std::vector<uint8_t> bytes, size_t drop) {
    bytes.resize(bytes.size() - drop);
    return bytes;
}

std::vector<uint8_t> with_token_count(int32_t count) {
    std::vector<uint8_t> bytes = with_header({}, 2);
    // Second record's count: after the header and the first record.
    const size_t at = 24 + 4 + picture_tokens(test_picture(0)).size();
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<size_t>(i)] =
            static_cast<uint8_t>(static_cast<uint32_t>(count) >> (8 * i));
    return bytes;
}

struct RefusalCase {
    const char* name;
    std::vector<uint8_t> file;  // empty: no file at all
    const char* text;
    const char* caption;
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

class RefusedInput : public testing::TestWithParam<RefusalCase> {};

TEST_P(RefusedInput, ShowsItsBoxEmptiesTheInputAndWritesNothing) {
    const RefusalCase& c = GetParam();
    ScratchFolder folder;
    if (!c.file.empty()) write_bytes(folder.path() / "in.mpa", c.file);
    auto state = std::make_unique<ConverterState>();
    choose_files(state.get(), folder.file("in.mpa"), folder.file("out"));
    RecordingFront recorder;
    EXPECT_EQ(convert_animation(state.get(), recorder.front()), -1);
    ASSERT_EQ(recorder.errors.size(), 1u);
    EXPECT_EQ(recorder.errors[0].first, c.text);
    EXPECT_EQ(recorder.errors[0].second, c.caption);
    EXPECT_STREQ(state->input_path, "") << "the user must choose the file again";
    EXPECT_STREQ(state->output_title, "out") << "the output choice survives";
    EXPECT_EQ(state->frame_count, 0);
    EXPECT_FALSE(fs::exists(folder.path() / "out0000.BMP"));
}

MpaHeader header_with(int32_t MpaHeader::*field, int32_t value) {
    MpaHeader header;
    header.*field = value;
    return header;
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedInput,
    testing::Values(
        RefusalCase{"Missing", {}, MSG_READ_FAILED, CAPTION_TROUBLE},
        RefusalCase{"OlderVersion",
                    mpa_bytes(header_with(&MpaHeader::storage_version, -1),
                              {std::vector<uint8_t>(9596, 0xFF)}),
                    MSG_OLD_VERSION, CAPTION_TROUBLE},
        RefusalCase{"UnknownVersion", with_header(header_with(&MpaHeader::storage_version, 3), 1),
                    MSG_OLD_VERSION, CAPTION_TROUBLE},
        RefusalCase{"WrongWidth", with_header(header_with(&MpaHeader::image_width, 321), 1),
                    MSG_IMAGE_SIZE, CAPTION_FATAL},
        RefusalCase{"WrongHeight", with_header(header_with(&MpaHeader::image_height, 200), 1),
                    MSG_IMAGE_SIZE, CAPTION_FATAL},
        RefusalCase{"TooManyPages", with_header(header_with(&MpaHeader::page_count, 4096), 1),
                    MSG_TOO_MANY_PAGES, CAPTION_TROUBLE},
        RefusalCase{"NegativePageCount", with_header(header_with(&MpaHeader::page_count, -3), 1),
                    MSG_FILE_DAMAGED, CAPTION_TROUBLE},
        RefusalCase{"ShortHeader", cut(with_header({}, 0), 4), MSG_READ_FAILED, CAPTION_TROUBLE},
        RefusalCase{"CutInsideTokens", cut(with_header({}, 3), 1), MSG_READ_FAILED,
                    CAPTION_TROUBLE},
        RefusalCase{"CutInsideCount",
                    cut(with_header({}, 2), picture_tokens(test_picture(1)).size() + 2),
                    MSG_READ_FAILED, CAPTION_TROUBLE},
        RefusalCase{"MorePagesThanRecords", with_header(header_with(&MpaHeader::page_count, 3), 2),
                    MSG_READ_FAILED, CAPTION_TROUBLE},
        RefusalCase{"NegativeTokenCount", with_token_count(-1), MSG_FILE_DAMAGED, CAPTION_TROUBLE},
        RefusalCase{"OversizedTokenCount", with_token_count(76801), MSG_FILE_DAMAGED,
                    CAPTION_TROUBLE}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return info.param.name; });

TEST(RefusedInputProgress, FramesReadBeforeTheFailureShowedTheirProgress) {
    ScratchFolder folder;
    write_bytes(folder.path() / "in.mpa", cut(with_header({}, 3), 1));
    auto state = std::make_unique<ConverterState>();
    choose_files(state.get(), folder.file("in.mpa"), folder.file("out"));
    RecordingFront recorder;
    EXPECT_EQ(convert_animation(state.get(), recorder.front()), -1);
    ASSERT_EQ(recorder.statuses.size(), 2u);
    EXPECT_EQ(recorder.statuses[1], std::string("現在1コマ目を読み込み中     "));
}

}  // namespace
