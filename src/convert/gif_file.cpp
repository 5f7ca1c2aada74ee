#include "convert/gif_file.h"

#include <cstdio>
#include <new>
#include <vector>

#include "convert/converter_texts.h"
#include "convert/gif_animation.h"
#include "file_replace/replace_file.h"

namespace {

void show_numbered_status(const ConverterFront& front, const char* format, int32_t number) {
    char text[96];
    std::snprintf(text, sizeof text, format, static_cast<int>(number));
    front.show_status(front.context, StatusLine{nullptr, text});
}

void show_frame_started(void* context, int32_t index) {
    show_numbered_status(*static_cast<const ConverterFront*>(context), STATUS_GIF_FRAME, index);
}

}  // namespace

int write_gif_file(const ConverterState& state, const ConverterFront& front) {
    if (state.frame_count == 0) return 0;
    std::vector<uint8_t> gif;
    ConverterFront progress_front = front;
    try {
        GifProgress progress;
        progress.context = &progress_front;
        progress.frame_started = show_frame_started;
        gif = encode_gif_animation(state.frames, state.frame_count, state.header.speed, state.gif,
                                   progress);
    } catch (const std::bad_alloc&) {
        front.show_error(front.context, MSG_OUT_OF_MEMORY, CAPTION_TROUBLE);
        return 1;
    }
    const ReplaceResult result = replace_file(
        state.output_path, [&gif](FileOutput& out) { out.write(gif.data(), gif.size()); });
    if (result.status != ReplaceStatus::ok) {
        front.show_status(front.context, StatusLine{state.output_path,
                                                    result.status == ReplaceStatus::cannot_create
                                                        ? STATUS_OPEN_ERROR
                                                        : STATUS_WRITE_ERROR});
        return 1;
    }
    show_numbered_status(front, STATUS_GIF_DONE, state.frame_count);
    return 0;
}
