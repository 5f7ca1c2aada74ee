#include "convert/convert_animation.h"

#include <cstdio>
#include <memory>

#include "anim/animation_file.h"
#include "convert/bmp_file.h"
#include "convert/bmp_pixels.h"
#include "convert/converter_texts.h"
#include "convert/frame_file_name.h"
#include "convert/gif_file.h"
#include "convert/output_size.h"
#include "convert/source_reader.h"

namespace {

constexpr char BMP_EXTENSION[] = ".BMP";

struct WorkBuffers {
    OutputSampling sampling;
    std::unique_ptr<uint8_t[]> packed;
    size_t packed_bytes = 0;
    uint8_t header[BMP_HEADER_SIZE] = {};
    // The stream's buffer holds a whole file, so each file reaches the disk in one write.
    std::unique_ptr<char[]> stream_buffer;
    size_t stream_buffer_bytes = 0;
};

void show_path_status(const ConverterFront& front, const char* path, const char* text) {
    front.show_status(front.context, StatusLine{path, text});
}

// Writes one BMP file; returns 0, or -1 after putting the failure in the status line.
int write_frame_file(const ConverterState& state, int32_t index, WorkBuffers* work,
                     const ConverterFront& front) {
    char name[CONVERTER_PATH_CAPACITY + 16];
    FILE* file = nullptr;
    if (frame_file_name(state.output_path, index, BMP_EXTENSION, name, sizeof name) == 0)
        file = std::fopen(name, "wb");
    if (file == nullptr) {
        show_path_status(front, state.output_path, STATUS_OPEN_ERROR);
        return -1;
    }
    std::setvbuf(file, work->stream_buffer.get(), _IOFBF, work->stream_buffer_bytes);
    if (std::fwrite(work->header, 1, BMP_HEADER_SIZE, file) != BMP_HEADER_SIZE) {
        show_path_status(front, state.output_path, STATUS_HEADER_WRITE_ERROR);
        std::fclose(file);
        return -1;
    }
    const bool bits_written =
        std::fwrite(work->packed.get(), 1, work->packed_bytes, file) == work->packed_bytes;
    // A failure that only shows when buffered bytes reach the disk is a failed write too.
    if (std::fclose(file) != 0 || !bits_written) {
        show_path_status(front, state.output_path, STATUS_BITS_WRITE_ERROR);
        return -1;
    }
    char text[64];
    std::snprintf(text, sizeof text, STATUS_FRAME_DONE, static_cast<int>(index));
    show_path_status(front, nullptr, text);
    return 0;
}

// One BMP file per frame; returns the number of frames that could not be written.
int write_bmp_files(ConverterState* state, const ConverterFront& front) {
    // The size may still hold a raw value from a dragged thumb.
    clamp_output_size(&state->output_width, &state->output_height);
    auto work = std::make_unique<WorkBuffers>();
    work->sampling = make_output_sampling(state->output_width, state->output_height);
    work->packed_bytes = static_cast<size_t>(state->output_width) * state->output_height / 8;
    work->packed = std::make_unique<uint8_t[]>(work->packed_bytes);
    work->stream_buffer_bytes = BMP_HEADER_SIZE + work->packed_bytes + 1;
    work->stream_buffer = std::make_unique<char[]>(work->stream_buffer_bytes);
    make_bmp_header(state->output_width, state->output_height, work->header);

    int failed = 0;
    for (int32_t i = 0; i < state->frame_count; ++i) {
        make_bmp_pixels(state->frames[i], &work->sampling, work->packed.get());
        if (write_frame_file(*state, i, work.get(), front) != 0) ++failed;
    }
    return failed;
}

}  // namespace

int convert_animation(ConverterState* state, const ConverterFront& front) {
    const bool gif = state->output_kind == OutputKind::gif_animation;
    if (state->input_path[0] == '\0') {
        front.show_error(front.context, MSG_NO_INPUT, CAPTION_CONVERTER);
        return -1;
    }
    if (state->output_title[0] == '\0') {
        front.show_error(front.context, gif ? MSG_NO_GIF_OUTPUT : MSG_NO_OUTPUT, CAPTION_CONVERTER);
        return -1;
    }
    if (load_source_animation(state, front) != 0) {
        state->input_path[0] = '\0';
        return -1;
    }
    const int failed = gif ? write_gif_file(*state, front) : write_bmp_files(state, front);
    release_source_frames(state);
    return failed;
}
