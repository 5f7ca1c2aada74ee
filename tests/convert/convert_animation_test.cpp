#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "convert/bmp_file.h"
#include "convert/convert_animation.h"
#include "convert/converter_texts.h"
#include "convert_test_support.h"

namespace {

namespace fs = std::filesystem;

std::string frame_done(int index) {
    char text[64];
    std::snprintf(text, sizeof text, STATUS_FRAME_DONE, index);
    return text;
}

std::string reading_frame(int index) {
    char text[64];
    std::snprintf(text, sizeof text, STATUS_READING_FRAME, index);
    return text;
}

class ConvertAnimation : public testing::Test {
protected:
    // Writes the animation, chooses it and the output prefix "out" in the scratch folder.
    void choose(const std::vector<uint8_t>& animation, const std::string& prefix = "out") {
        write_bytes(folder.path() / "in.mpa", animation);
        choose_files(state.get(), folder.file("in.mpa"), folder.file(prefix));
    }
    int convert() { return convert_animation(state.get(), recorder.front()); }
    std::vector<uint8_t> output(int index, const std::string& prefix = "out") {
        char name[32];
        std::snprintf(name, sizeof name, "%04d.BMP", index);
        return read_file(folder.path() / (prefix + name));
    }
    size_t files_written() const {
        size_t n = 0;
        for (const auto& entry : fs::directory_iterator(folder.path()))
            if (entry.path().extension() == ".BMP") ++n;
        return n;
    }
    // Every pixel of a written file against the test picture it came from, sampled as the
    // scaled blit samples: column c, row r take source (c * step_x >> 12, r * step_y >> 12).
    void expect_scaled_picture(const std::vector<uint8_t>& bmp, int seed, int32_t width,
                               int32_t height) {
        ASSERT_EQ(bmp.size(), static_cast<size_t>(BMP_HEADER_SIZE + width * height / 8));
        const std::vector<bool> picture = test_picture(seed);
        const int64_t step_x = int64_t{320} * 4096 / width;
        const int64_t step_y = int64_t{240} * 4096 / height;
        for (int32_t r = 0; r < height; ++r)
            for (int32_t c = 0; c < width; ++c) {
                const auto source =
                    static_cast<size_t>((r * step_y >> 12) * 320 + (c * step_x >> 12));
                ASSERT_EQ(bmp_pixel_is_ink(bmp, width, height, c, r), picture[source])
                    << "seed " << seed << " at " << c << "," << r;
            }
    }

    ScratchFolder folder;
    std::unique_ptr<ConverterState> state = std::make_unique<ConverterState>();
    RecordingFront recorder;
};

TEST_F(ConvertAnimation, FullSizeFilesEqualTheFramesPixelForPixel) {
    choose(mpa_of_test_pictures(2));
    EXPECT_EQ(convert(), 0);
    EXPECT_TRUE(recorder.errors.empty());
    for (int i = 0; i < 2; ++i) {
        const std::vector<uint8_t> bmp = output(i);
        EXPECT_EQ(bmp.size(), 9662u);
        uint8_t header[BMP_HEADER_SIZE];
        make_bmp_header(320, 240, header);
        ASSERT_GE(bmp.size(), sizeof header);
        EXPECT_TRUE(std::equal(header, header + BMP_HEADER_SIZE, bmp.begin()));
        expect_scaled_picture(bmp, i, 320, 240);
    }
}

TEST_F(ConvertAnimation, HalfSizeTakesEverySecondColumnAndRow) {
    choose(mpa_of_test_pictures(1));
    state->output_width = 160;
    state->output_height = 120;
    EXPECT_EQ(convert(), 0);
    const std::vector<uint8_t> bmp = output(0);
    EXPECT_EQ(bmp.size(), 62u + 160 * 120 / 8);
    expect_scaled_picture(bmp, 0, 160, 120);
    const std::vector<bool> picture = test_picture(0);
    EXPECT_EQ(bmp_pixel_is_ink(bmp, 160, 120, 7, 5), picture[10 * 320 + 14]);
}

TEST_F(ConvertAnimation, OddSizesSampleWithTheFixedPointSteps) {
    choose(mpa_of_test_pictures(1));
    state->output_width = 96;
    state->output_height = 130;
    EXPECT_EQ(convert(), 0);
    expect_scaled_picture(output(0), 0, 96, 130);
}

TEST_F(ConvertAnimation, FiveFramesGiveFiveNumberedFilesAndTheLastStatus) {
    choose(mpa_of_test_pictures(5));
    EXPECT_EQ(convert(), 0);
    for (int i = 0; i < 5; ++i) expect_scaled_picture(output(i), i, 320, 240);
    EXPECT_EQ(files_written(), 5u);
    ASSERT_EQ(recorder.statuses.size(), 10u);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(recorder.statuses[static_cast<size_t>(i)], reading_frame(i));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(recorder.statuses[static_cast<size_t>(5 + i)], frame_done(i));
}

TEST_F(ConvertAnimation, PrefixKeepsItsOwnExtension) {
    choose(mpa_of_test_pictures(1), "walk.bmp");
    EXPECT_EQ(convert(), 0);
    EXPECT_TRUE(fs::exists(folder.path() / "walk.bmp0000.BMP"));
    EXPECT_EQ(files_written(), 1u);
}

TEST_F(ConvertAnimation, EmptyAndShortFramesArePaddedWithPaper) {
    // Frame 0 all ink (so a stale buffer would show), frame 1 empty, frame 2 ten ink pixels only.
    choose(mpa_bytes({}, {std::vector<uint8_t>(600, 127), {}, {9}}));
    EXPECT_EQ(convert(), 0);
    const std::vector<uint8_t> empty = output(1);
    ASSERT_EQ(empty.size(), 9662u);
    EXPECT_TRUE(std::all_of(empty.begin() + BMP_HEADER_SIZE, empty.end(),
                            [](uint8_t b) { return b == 0; }));
    const std::vector<uint8_t> short_frame = output(2);
    ASSERT_EQ(short_frame.size(), 9662u);
    for (int c = 0; c < 320; ++c)
        EXPECT_EQ(bmp_pixel_is_ink(short_frame, 320, 240, c, 0), c < 10) << c;
    for (int r = 1; r < 240; ++r) EXPECT_FALSE(bmp_pixel_is_ink(short_frame, 320, 240, 5, r));
}

TEST_F(ConvertAnimation, NoFramesWritesNothingAndShowsNothing) {
    choose(mpa_bytes({}, {}));
    EXPECT_EQ(convert(), 0);
    EXPECT_EQ(files_written(), 0u);
    EXPECT_TRUE(recorder.statuses.empty());
    EXPECT_TRUE(recorder.errors.empty());
}

TEST_F(ConvertAnimation, HeaderSizeWarningStillConvertsEveryFrame) {
    MpaHeader header;
    header.header_size = 20;
    write_bytes(folder.path() / "in.mpa", mpa_bytes(header, {picture_tokens(test_picture(0)),
                                                             picture_tokens(test_picture(1))}));
    choose_files(state.get(), folder.file("in.mpa"), folder.file("out"));
    EXPECT_EQ(convert(), 0);
    ASSERT_EQ(recorder.errors.size(), 1u);
    EXPECT_EQ(recorder.errors[0].first, MSG_HEADER_SIZE);
    EXPECT_EQ(recorder.errors[0].second, CAPTION_READ_ERROR);
    expect_scaled_picture(output(1), 1, 320, 240);
}

TEST_F(ConvertAnimation, UnwritableFolderFailsEveryFrameButTriesThemAll) {
    write_bytes(folder.path() / "in.mpa", mpa_of_test_pictures(3));
    const std::string prefix = (folder.path() / "missing" / "out").string();
    choose_files(state.get(), folder.file("in.mpa"), prefix);
    EXPECT_EQ(convert(), 3);
    EXPECT_TRUE(recorder.errors.empty());
    ASSERT_EQ(recorder.statuses.size(), 6u);
    for (size_t i = 3; i < 6; ++i) EXPECT_EQ(recorder.statuses[i], prefix + STATUS_OPEN_ERROR);
    EXPECT_EQ(state->input_path, folder.file("in.mpa")) << "a write failure keeps the input";
}

TEST_F(ConvertAnimation, AFailedFrameDoesNotStopTheNextOnes) {
    choose(mpa_of_test_pictures(3));
    // A folder where frame 1's file should go makes only that frame fail.
    fs::create_directory(folder.path() / "out0001.BMP");
    EXPECT_EQ(convert(), 1);
    EXPECT_EQ(recorder.statuses.back(), frame_done(2));
    EXPECT_EQ(recorder.statuses[4], folder.file("out") + STATUS_OPEN_ERROR);
    expect_scaled_picture(output(2), 2, 320, 240);
}

TEST_F(ConvertAnimation, ConvertingAgainReadsTheSameInputAfresh) {
    choose(mpa_of_test_pictures(1));
    EXPECT_EQ(convert(), 0);
    write_bytes(folder.path() / "in.mpa", mpa_bytes({}, {picture_tokens(test_picture(7))}));
    EXPECT_EQ(convert(), 0);
    expect_scaled_picture(output(0), 7, 320, 240);
}

TEST_F(ConvertAnimation, ARawThumbSizeIsClampedBeforeWriting) {
    choose(mpa_of_test_pictures(1));
    state->output_width = 100;  // left by a thumb still being dragged
    state->output_height = 131;
    EXPECT_EQ(convert(), 0);
    EXPECT_EQ(state->output_width, 96);
    EXPECT_EQ(state->output_height, 130);
    expect_scaled_picture(output(0), 0, 96, 130);
}

struct ChoiceCase {
    const char* name;
    bool input_chosen;
    bool output_chosen;
    const char* expected;
};

void PrintTo(const ChoiceCase& c, std::ostream* os) { *os << c.name; }

class MissingChoice : public testing::TestWithParam<ChoiceCase> {};

TEST_P(MissingChoice, IsReportedBeforeAnythingIsRead) {
    const ChoiceCase& c = GetParam();
    ScratchFolder folder;
    write_bytes(folder.path() / "in.mpa", mpa_of_test_pictures(1));
    auto state = std::make_unique<ConverterState>();
    if (c.input_chosen) set_converter_path(state->input_path, folder.file("in.mpa").c_str());
    if (c.output_chosen) {
        set_converter_path(state->output_path, folder.file("out").c_str());
        set_converter_path(state->output_title, "out");
    } else {
        // A path without a title: the save dialog was never closed with OK.
        set_converter_path(state->output_path, folder.file("out").c_str());
    }
    RecordingFront recorder;
    EXPECT_EQ(convert_animation(state.get(), recorder.front()), -1);
    ASSERT_EQ(recorder.errors.size(), 1u);
    EXPECT_EQ(recorder.errors[0].first, c.expected);
    EXPECT_EQ(recorder.errors[0].second, CAPTION_CONVERTER);
    EXPECT_TRUE(recorder.statuses.empty());
    EXPECT_FALSE(fs::exists(folder.path() / "out0000.BMP"));
    EXPECT_EQ(state->input_path[0] != '\0', c.input_chosen) << "a missing choice keeps the input";
}

INSTANTIATE_TEST_SUITE_P(Choices, MissingChoice,
                         testing::Values(ChoiceCase{"NoInput", false, true, MSG_NO_INPUT},
                                         ChoiceCase{"NoOutput", true, false, MSG_NO_OUTPUT},
                                         ChoiceCase{"Neither", false, false, MSG_NO_INPUT}),
                         [](const testing::TestParamInfo<ChoiceCase>& info) {
                             return info.param.name;
                         });

}  // namespace
