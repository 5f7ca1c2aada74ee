#include "editor/session/load_save.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "editor/session/animation.h"
#include "anim/animation_file.h"
#include "editor/session/editor_texts.h"

namespace {

AnimationFileNames g_names;

void show_file_error(const char* text) {
    message_box(text, CAPTION_FILE_ERROR, MessageButtons::ok, MessageIcon::error);
}

// The fatal read errors are shown twice: as a line in the text window and in a box.
void show_fatal_read_error(const char* line, const char* box) {
    print_text(line);
    show_file_error(box);
}

void print_number_at_top(const char* format, int32_t number) {
    char line[128];
    std::snprintf(line, sizeof line, format, static_cast<int>(number));
    set_text_pos(0, 0);
    print_text(line);
}

void on_header_size(void*, int32_t) { print_text(LINE_HEADER_SIZE_WRONG); }

void on_frame_read(void*, int32_t index) { print_number_at_top(FORMAT_READING_FRAME, index); }

void report_read_failure(ReadStatus status) {
    switch (status) {
        case ReadStatus::ok: break;
        case ReadStatus::cannot_open:
        case ReadStatus::header_too_short:
        case ReadStatus::short_read: show_file_error(TEXT_READ_ERROR); break;
        case ReadStatus::wrong_image_size:
            show_fatal_read_error(LINE_IMAGE_SIZE_WRONG, TEXT_IMAGE_SIZE_WRONG);
            break;
        case ReadStatus::too_many_pages:
            show_fatal_read_error(LINE_TOO_MANY_PAGES, TEXT_TOO_MANY_PAGES);
            break;
        case ReadStatus::negative_page_count:
            show_fatal_read_error(LINE_BAD_PAGE_COUNT, TEXT_BAD_PAGE_COUNT);
            break;
        case ReadStatus::raw_version_refused:
        case ReadStatus::unknown_version:
            show_fatal_read_error(LINE_VERSION_REFUSED, TEXT_VERSION_REFUSED);
            break;
        case ReadStatus::out_of_memory:
            show_fatal_read_error(LINE_OUT_OF_MEMORY, TEXT_OUT_OF_MEMORY);
            break;
        case ReadStatus::damaged_record:
            show_fatal_read_error(LINE_DAMAGED_FRAME, TEXT_DAMAGED_FRAME);
            break;
    }
}

// Replaces the animation's frames with the first `count` slots of `table` (which it takes over).
// An animation always keeps at least one frame: without any, `spare_empty` becomes frame 0.
void install_frames(Frame** table, int32_t count, Frame* spare_empty, int32_t speed) {
    Animation& anim = animation();
    free_frames(anim.frames, anim.frame_count);
    if (count == 0) {
        table[0] = spare_empty;
        count = 1;
    } else {
        free_frame(spare_empty);
    }
    std::memcpy(anim.frames, table, static_cast<std::size_t>(count) * sizeof(Frame*));
    anim.frame_count = count;
    anim.current_frame = 0;
    // Kept as stored, so that saving writes back what was read; playback makes it playable.
    anim.speed = speed;
}

// Frames from `first` on are dropped; frame 0 is emptied in place rather than dropped, so the
// animation keeps a frame without needing memory.
void keep_first_frames(int32_t first) {
    Animation& anim = animation();
    if (first == 0) {
        anim.frames[0]->token_count = 0;
        first = 1;
    }
    for (int32_t i = first; i < anim.frame_count; ++i) {
        free_frame(anim.frames[i]);
        anim.frames[i] = nullptr;
    }
    anim.frame_count = first < anim.frame_count ? first : anim.frame_count;
}

// Reading into a table of its own first keeps the animation untouched until the file has shown
// that it has frames to give.
ReadResult read_into(const char* path, Frame** table) {
    ReadOptions options;
    options.accept_raw_frames = true;
    options.allocate = animation_state().allocate;
    options.on_header_size = on_header_size;
    options.on_frame_read = on_frame_read;
    return read_animation_file(path, table, options);
}

bool refused_before_frames(ReadStatus status) {
    return status != ReadStatus::ok && status != ReadStatus::out_of_memory &&
           status != ReadStatus::short_read && status != ReadStatus::damaged_record;
}

}  // namespace

AnimationFileNames& animation_file_names() { return g_names; }

bool set_file_name(char (&buffer)[FILE_NAME_CAPACITY], const char* text) {
    const std::size_t length = std::strlen(text);
    if (length >= FILE_NAME_CAPACITY) {
        return false;
    }
    std::memcpy(buffer, text, length + 1);
    return true;
}

void load_animation() {
    clear_text();
    print_text(TEXT_LOAD_PROMPT);
    if (choose_open_file(g_names.current_name, g_names.current_path, CAPTION_LOAD_DIALOG,
                         ANIMATION_FILE_PATTERN, TEXT_ANIMATION_FILES) == 0) {
        return;
    }
    load_animation_file();
}

void load_animation_file() {
    // Loading needs a frame table to fill, even before start-up made one.
    if (animation().frames == nullptr && init_animation() != 0) {
        report_read_failure(ReadStatus::out_of_memory);
        return;
    }
    std::unique_ptr<Frame*[]> table(new (std::nothrow) Frame*[MAX_FRAMES]());
    Frame* spare_empty = new_empty_frame(animation_state().allocate);
    if (table == nullptr || spare_empty == nullptr) {
        free_frame(spare_empty);
        report_read_failure(ReadStatus::out_of_memory);
        return;
    }
    const ReadResult result = read_into(g_names.current_path, table.get());
    if (refused_before_frames(result.status)) {
        report_read_failure(result.status);
        free_frame(spare_empty);
        return;
    }
    install_frames(table.get(), result.frames_read, spare_empty, result.header.speed);
    bool converted = true;
    if (result.raw_frames) {
        converted = convert_raw_frames(result.frames_read) == 0;
    }
    // Reported after the conversion, whose clearing would take the message line away.
    report_read_failure(result.status);
    if (result.status == ReadStatus::ok && converted) {
        print_text(LINE_LOAD_DONE);
    }
}

int convert_raw_frames(int32_t raw_count) {
    clear_text();
    set_raw_bit_values(CANVAS_INK, CANVAS_PAPER);
    const VirtualScreen& screen = virtual_screen();
    Animation& anim = animation();
    for (int32_t i = 0; i < raw_count && i < anim.frame_count; ++i) {
        print_number_at_top(FORMAT_COMPRESSING_FRAME, i);
        print_raw_page(i);
        present_screen();
        if (compress_canvas(screen.bits, screen.width, screen.height, &anim.frames[i]) < 0) {
            // A raw block left in the table would later be drawn as runs.
            keep_first_frames(i);
            // Cleared first, so that the message line stays in the window.
            clear_text();
            report_read_failure(ReadStatus::out_of_memory);
            return -1;
        }
    }
    clear_text();
    return 0;
}

void save_animation() {
    const Animation& anim = animation();
    clear_text();
    print_text(TEXT_SAVE_PROMPT);
    if (choose_save_file(g_names.current_name, g_names.current_path, CAPTION_SAVE_DIALOG,
                         ANIMATION_FILE_PATTERN, TEXT_ANIMATION_FILES) == 0) {
        return;
    }
    const WriteResult result =
        write_animation_file(g_names.current_path, anim.frames, anim.frame_count, anim.speed);
    switch (result.status) {
        case WriteStatus::ok: break;
        case WriteStatus::cannot_create: show_file_error(TEXT_WRITE_ERROR_NAME); break;
        case WriteStatus::write_failed:
        case WriteStatus::cannot_replace: show_file_error(TEXT_WRITE_ERROR); break;
    }
}
