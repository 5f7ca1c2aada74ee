// Small fixtures shared by the converter's tests: animation files written byte by byte, a
// recording front, a scratch folder and a reader of the written BMP pixels.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "convert/converter_front.h"
#include "convert/converter_state.h"
#include "support/temp_folder.h"

// A 320 x 240 picture, one bool per pixel (true = ink), different for every seed and with no
// symmetry, so flips, scaling and bit order all show.
std::vector<bool> test_picture(int seed);
// The tokens of a picture, as the editor would store them.
std::vector<uint8_t> picture_tokens(const std::vector<bool>& picture);
// The tokens of a canvas of CANVAS_INK and CANVAS_PAPER bytes.
std::vector<uint8_t> canvas_tokens(const std::vector<uint8_t>& pixels);

struct MpaHeader {
    int32_t header_size = 24;
    int32_t image_width = 320;
    int32_t image_height = 240;
    int32_t page_count = 0;
    int32_t speed = 5;
    int32_t storage_version = 0;
};
// The bytes of an animation file: the header, then each record as its count and tokens. When
// header.page_count is left 0 it becomes the number of records.
std::vector<uint8_t> mpa_bytes(MpaHeader header, const std::vector<std::vector<uint8_t>>& records);
// An animation file of `frames` test pictures (seeds 0 .. frames - 1).
std::vector<uint8_t> mpa_of_test_pictures(int frames);

// Frames of a small box moving over a fixed picture: each differs from the one before in a few
// pixels only.
std::vector<std::vector<uint8_t>> moving_box_frames(int count);
// The animation whose GIF (at 60 fps, enlarged 2x) every build must write byte for byte as
// data/moving_box_60fps_2x.gif: a moving box, an empty frame, a repeated frame.
std::vector<uint8_t> gif_comparison_animation();

void write_bytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
using test_support::read_file;

// A fresh folder removed with everything in it at the end of the test.
using ScratchFolder = test_support::TempFolder;

// Keeps every box and status line the core shows (status lines as path + text).
struct RecordingFront {
    std::vector<std::pair<std::string, std::string>> errors;  // text, caption
    std::vector<std::string> statuses;
    ConverterFront front();
};

// Fills the state's choices as the two file dialogs would.
void choose_files(ConverterState* state, const std::string& input, const std::string& output);

// Whether pixel (column, row) of a 1-bit BMP written by the converter is black (row 0 is the top
// of the picture, which the file stores last).
bool bmp_pixel_is_ink(const std::vector<uint8_t>& bmp, int32_t width, int32_t height,
                      int32_t column, int32_t row);
