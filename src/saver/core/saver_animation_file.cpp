#include "saver/core/saver_animation_file.h"

#include "anim/animation_file.h"
#include "saver/core/saver_texts.h"

SaverAnimation::SaverAnimation() : table(new Frame*[MAX_FRAMES]()) {}

SaverAnimation::~SaverAnimation() { release(); }

void SaverAnimation::release() {
    free_frames(table.get(), frame_count);
    frame_count = 0;
}

namespace {

struct MessageTarget {
    SaverPlatform* platform;
    WindowHandle owner;
};

void report_header_size(void* context, int32_t) {
    auto* target = static_cast<MessageTarget*>(context);
    target->platform->show_error(target->owner, TEXT_HEADER_SIZE_WRONG, CAPTION_READ_ERROR);
}

struct Refusal {
    const char* text;
    const char* caption;
};

Refusal refusal_of(ReadStatus status) {
    switch (status) {
        case ReadStatus::wrong_image_size: return {TEXT_IMAGE_SIZE_WRONG, CAPTION_FATAL_ERROR};
        case ReadStatus::too_many_pages: return {TEXT_TOO_MANY_PAGES, CAPTION_TROUBLE};
        case ReadStatus::negative_page_count: return {TEXT_BAD_PAGE_COUNT, CAPTION_TROUBLE};
        case ReadStatus::raw_version_refused:
        case ReadStatus::unknown_version: return {TEXT_VERSION_UNSUPPORTED, CAPTION_TROUBLE};
        case ReadStatus::out_of_memory: return {TEXT_OUT_OF_MEMORY, CAPTION_TROUBLE};
        case ReadStatus::header_too_short:
        case ReadStatus::short_read:
        case ReadStatus::damaged_record: return {TEXT_READ_FAILED, CAPTION_TROUBLE};
        case ReadStatus::ok:
        case ReadStatus::cannot_open: break;
    }
    return {nullptr, nullptr};
}

}  // namespace

bool load_saver_animation(const char* path, SaverAnimation* animation, SaverPlatform& platform,
                          WindowHandle owner) {
    animation->release();
    MessageTarget target{&platform, owner};
    ReadOptions options;
    options.on_header_size = report_header_size;
    options.context = &target;
    const ReadResult result = read_animation_file(path, animation->table.get(), options);
    if (result.status != ReadStatus::ok) {
        // Whatever was read before the failure is not played.
        free_frames(animation->table.get(), result.frames_read);
        const Refusal refusal = refusal_of(result.status);
        if (refusal.text != nullptr) platform.show_error(owner, refusal.text, refusal.caption);
        return false;
    }
    animation->frame_count = result.frames_read;
    animation->frames_per_second = playable_speed(result.header.speed);
    return true;
}

uint32_t saver_tick_interval(int32_t frames_per_second) {
    if (frames_per_second < 1) frames_per_second = DEFAULT_SPEED;
    const uint32_t interval = 1000u / static_cast<uint32_t>(frames_per_second);
    return interval > 0 ? interval : 1;
}
