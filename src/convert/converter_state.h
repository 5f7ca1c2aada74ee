// Everything the converter keeps while it runs: the user's choices and the animation read by the
// current conversion. One instance, owned by the front.
#pragma once

#include <cstddef>
#include <cstdint>

#include "anim/animation_file.h"
#include "anim/frame.h"
#include "convert/gif_animation.h"

constexpr size_t CONVERTER_PATH_CAPACITY = 2048;

enum class OutputKind {
    bmp_files,      // one BMP file per frame, named from the output path as a prefix
    gif_animation,  // one animated GIF, named exactly by the output path
};

struct ConverterState {
    char input_path[CONVERTER_PATH_CAPACITY] = {};
    // Prefix of every BMP file name, or the GIF file's name, exactly as chosen.
    char output_path[CONVERTER_PATH_CAPACITY] = {};
    // File-name part of the chosen output; empty means nothing was chosen.
    char output_title[CONVERTER_PATH_CAPACITY] = {};
    int32_t output_width = 320;
    int32_t output_height = 240;
    OutputKind output_kind = OutputKind::bmp_files;
    GifChoices gif;
    AnimationFileHeader header{};
    // Slots 0 .. frame_count - 1 hold the blocks read by the current conversion.
    Frame* frames[MAX_FRAMES] = {};
    int32_t frame_count = 0;
};

// Copies text into one of the state's path buffers; a text that does not fit leaves the buffer
// empty and returns -1, so a cut path is never used.
int set_converter_path(char (&buffer)[CONVERTER_PATH_CAPACITY], const char* text);
// Releases the frames read by the last conversion.
void release_source_frames(ConverterState* state);
