#include "convert_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>

#include "anim/frame.h"
#include "anim/run_length.h"
#include "convert/bmp_file.h"
#include "support/anim_file_bytes.h"

std::vector<bool> test_picture(int seed) {
    std::vector<bool> picture(FRAME_PIXELS);
    for (int y = 0; y < CANVAS_HEIGHT; ++y)
        for (int x = 0; x < CANVAS_WIDTH; ++x)
            picture[static_cast<size_t>(y * CANVAS_WIDTH + x)] =
                ((x * 7 + y * 13 + seed * 29) % 23) < 9 || (x < 40 + seed && y < 10);
    return picture;
}

std::vector<uint8_t> picture_tokens(const std::vector<bool>& picture) {
    std::vector<uint8_t> pixels(picture.size());
    for (size_t i = 0; i < picture.size(); ++i) pixels[i] = picture[i] ? CANVAS_INK : CANVAS_PAPER;
    return canvas_tokens(pixels);
}

std::vector<uint8_t> canvas_tokens(const std::vector<uint8_t>& pixels) {
    std::vector<uint8_t> tokens(FRAME_PIXELS);
    const int32_t count =
        encode_runs(pixels.data(), CANVAS_WIDTH, CANVAS_HEIGHT, tokens.data(), FRAME_PIXELS);
    EXPECT_GT(count, 0);
    tokens.resize(static_cast<size_t>(std::max(count, 0)));
    return tokens;
}

std::vector<uint8_t> mpa_bytes(MpaHeader header, const std::vector<std::vector<uint8_t>>& records) {
    if (header.page_count == 0) header.page_count = static_cast<int32_t>(records.size());
    test_support::FileBytes file;
    file.header(header.page_count, header.speed, header.storage_version, header.image_width,
                header.image_height, header.header_size);
    for (const auto& tokens : records) file.record(tokens);
    return file.bytes;
}

std::vector<uint8_t> mpa_of_test_pictures(int frames) {
    std::vector<std::vector<uint8_t>> records;
    for (int i = 0; i < frames; ++i) records.push_back(picture_tokens(test_picture(i)));
    return mpa_bytes({}, records);
}

std::vector<std::vector<uint8_t>> moving_box_frames(int count) {
    const std::vector<bool> picture = test_picture(0);
    std::vector<uint8_t> background(picture.size());
    for (size_t i = 0; i < picture.size(); ++i)
        background[i] = picture[i] ? CANVAS_INK : CANVAS_PAPER;
    std::vector<std::vector<uint8_t>> records;
    for (int k = 0; k < count; ++k) {
        std::vector<uint8_t> pixels = background;
        const int left = k % 300;
        const int top = (k / 300) * 7 % 220;
        for (int y = top; y < top + 12; ++y)
            for (int x = left; x < left + 12; ++x) {
                uint8_t& pixel = pixels[static_cast<size_t>(y * CANVAS_WIDTH + x)];
                pixel = pixel == CANVAS_INK ? CANVAS_PAPER : CANVAS_INK;
            }
        records.push_back(canvas_tokens(pixels));
    }
    return records;
}

std::vector<uint8_t> gif_comparison_animation() {
    std::vector<std::vector<uint8_t>> records = moving_box_frames(40);
    records.insert(records.begin() + 20, std::vector<uint8_t>{});
    records.insert(records.begin() + 30, records[29]);
    MpaHeader header;
    header.speed = 60;
    return mpa_bytes(header, records);
}

void write_bytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

ConverterFront RecordingFront::front() {
    ConverterFront front;
    front.context = this;
    front.show_error = [](void* context, const char* text, const char* caption) {
        static_cast<RecordingFront*>(context)->errors.emplace_back(text, caption);
    };
    front.show_status = [](void* context, const StatusLine& line) {
        std::string text = line.path != nullptr ? line.path : "";
        static_cast<RecordingFront*>(context)->statuses.push_back(text + line.text);
    };
    return front;
}

void choose_files(ConverterState* state, const std::string& input, const std::string& output) {
    ASSERT_EQ(set_converter_path(state->input_path, input.c_str()), 0);
    ASSERT_EQ(set_converter_path(state->output_path, output.c_str()), 0);
    const std::string title = std::filesystem::path(output).filename().string();
    ASSERT_EQ(set_converter_path(state->output_title, title.c_str()), 0);
}

bool bmp_pixel_is_ink(const std::vector<uint8_t>& bmp, int32_t width, int32_t height,
                      int32_t column, int32_t row) {
    const size_t row_bytes = static_cast<size_t>(width) / 8;
    const size_t at = BMP_HEADER_SIZE + static_cast<size_t>(height - 1 - row) * row_bytes +
                      static_cast<size_t>(column) / 8;
    return (bmp.at(at) >> (7 - column % 8)) & 1;
}
