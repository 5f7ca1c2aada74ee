#include "convert/source_reader.h"

#include <cstdio>

#include "convert/converter_texts.h"

namespace {

struct ReadProgress {
    const ConverterFront* front;
};

void warn_header_size(void* context, int32_t) {
    const auto* progress = static_cast<ReadProgress*>(context);
    progress->front->show_error(progress->front->context, MSG_HEADER_SIZE, CAPTION_READ_ERROR);
}

void show_frame_read(void* context, int32_t index) {
    const auto* progress = static_cast<ReadProgress*>(context);
    char text[64];
    std::snprintf(text, sizeof text, STATUS_READING_FRAME, static_cast<int>(index));
    progress->front->show_status(progress->front->context, StatusLine{nullptr, text});
}

struct Refusal {
    const char* text;
    const char* caption;
};

Refusal refusal_for(ReadStatus status) {
    switch (status) {
        case ReadStatus::ok: break;
        case ReadStatus::cannot_open:
        case ReadStatus::header_too_short:
        case ReadStatus::short_read: return {MSG_READ_FAILED, CAPTION_TROUBLE};
        case ReadStatus::wrong_image_size: return {MSG_IMAGE_SIZE, CAPTION_FATAL};
        case ReadStatus::too_many_pages: return {MSG_TOO_MANY_PAGES, CAPTION_TROUBLE};
        // Only run-length frames can be converted; a version this program does not know is
        // refused in the same words rather than converted from records it never read.
        case ReadStatus::raw_version_refused:
        case ReadStatus::unknown_version: return {MSG_OLD_VERSION, CAPTION_TROUBLE};
        case ReadStatus::out_of_memory: return {MSG_OUT_OF_MEMORY, CAPTION_TROUBLE};
        case ReadStatus::negative_page_count:
        case ReadStatus::damaged_record: return {MSG_FILE_DAMAGED, CAPTION_TROUBLE};
    }
    return {MSG_READ_FAILED, CAPTION_TROUBLE};
}

}  // namespace

int load_source_animation(ConverterState* state, const ConverterFront& front) {
    release_source_frames(state);
    ReadProgress progress{&front};
    ReadOptions options;
    options.on_header_size = warn_header_size;
    options.on_frame_read = show_frame_read;
    options.context = &progress;
    const ReadResult result = read_animation_file(state->input_path, state->frames, options);
    state->header = result.header;
    if (result.status != ReadStatus::ok) {
        free_frames(state->frames, result.frames_read);
        const Refusal refusal = refusal_for(result.status);
        front.show_error(front.context, refusal.text, refusal.caption);
        return -1;
    }
    state->frame_count = result.frames_read;
    return 0;
}
