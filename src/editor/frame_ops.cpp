// Frame operations: moving between frames and changing the frame sequence. Reordering only moves
// Frame pointers within the table; only copying duplicates frame data.
#include "editor/frame_ops.h"

#include <cstdio>
#include <new>

#include "editor/session/animation.h"
#include "editor/commands.h"
#include "editor/session/editor_texts.h"
#include "host/host.h"
#include "raster/raster.h"

static int clamp_frame_number(int value, int frame_count) {
    return value < 0 ? 0 : value >= frame_count ? frame_count - 1 : value;
}

static uint8_t* canvas_bits() { return virtual_screen().bits; }

static void whiten_canvas() {
    fill_bytes(canvas_bits(), CANVAS_WIDTH, CANVAS_HEIGHT, CANVAS_PAPER);
}

static void refuse_with_click(const char* reason) {
    clear_text();
    print_text(reason);
    print_text(TEXT_PRESS_A_BUTTON);
    int x, y, right, left;
    wait_click(&x, &y, &right, &left);
}

bool append_blank_frame() {
    Animation& anim = animation();
    // A file holds at most MAX_FRAMES - 1 frames, so the table never fills its last slot.
    if (anim.frame_count >= MAX_FRAMES - 1) {
        refuse_with_click(TEXT_FRAMES_FULL);
        return false;
    }
    whiten_canvas();
    Frame* blank = nullptr;
    if (compress_canvas(canvas_bits(), CANVAS_WIDTH, CANVAS_HEIGHT, &blank) < 0) {
        refuse_with_click(TEXT_NO_MEMORY_FOR_FRAME);
        return false;
    }
    anim.frames[anim.frame_count] = blank;
    anim.frame_count += 1;
    return true;
}

void next_frame() {
    Animation& anim = animation();
    if (anim.current_frame + 1 < anim.frame_count) {
        anim.current_frame += 1;
        return;
    }
    if (append_blank_frame()) {
        anim.current_frame = anim.frame_count - 1;
    }
}

void previous_frame() {
    Animation& anim = animation();
    if (anim.current_frame > 0) {
        anim.current_frame -= 1;
    }
}

void jump_to_frame() {
    Animation& anim = animation();
    clear_text();
    print_text(TEXT_JUMP_PROMPT);
    int value = anim.current_frame;
    if (input_value(anim.frame_count - 1, 0, &value) == 0) {
        anim.current_frame = clamp_frame_number(value, anim.frame_count);
    }
}

void copy_previous_frame() {
    Animation& anim = animation();
    if (anim.current_frame <= 0) {
        return;
    }
    // Whitened first so that a frame holding fewer pixels than the canvas leaves nothing behind.
    set_print_values(CANVAS_INK, CANVAS_PAPER);
    whiten_canvas();
    print_page(anim.current_frame);
    store_undo_frame();
    whiten_canvas();
    print_page(anim.current_frame - 1);
    store_current_frame();
}

void insert_frame() {
    Animation& anim = animation();
    const int saved = anim.current_frame;
    if (!append_blank_frame()) {
        return;
    }
    const int last = anim.frame_count - 1;
    Frame* blank = anim.frames[last];
    for (int slot = last; slot > saved; --slot) {
        anim.frames[slot] = anim.frames[slot - 1];
    }
    anim.frames[saved] = blank;
    anim.current_frame = saved;
}

void delete_frame() {
    Animation& anim = animation();
    if (anim.frame_count <= 0) {
        return;
    }
    if (message_box(TEXT_DELETE_QUESTION, CAPTION_DELETE_FRAME, MessageButtons::yes_no,
                    MessageIcon::none) != MessageAnswer::yes) {
        return;
    }
    if (anim.frame_count == 1) {
        // The editor always needs a frame to draw on: the only frame is emptied instead of removed.
        whiten_canvas();
        anim.current_frame = 0;
        store_current_frame();
        return;
    }
    free_frame(anim.frames[anim.current_frame]);
    anim.frame_count -= 1;
    for (int slot = anim.current_frame; slot < anim.frame_count; ++slot) {
        anim.frames[slot] = anim.frames[slot + 1];
    }
    anim.frames[anim.frame_count] = nullptr;
    if (anim.current_frame >= anim.frame_count) {
        anim.current_frame = anim.frame_count - 1;
    }
}

void reverse_frame_range(int first, int last) {
    Animation& anim = animation();
    while (first < last) {
        Frame* held = anim.frames[first];
        anim.frames[first] = anim.frames[last];
        anim.frames[last] = held;
        ++first;
        --last;
    }
}

// Asks one frame number in 0 ... frame_count - 1 after printing its prompt; false on cancel.
static bool ask_frame_number(const char* prompt, int initial, int* value) {
    const int frame_count = animation().frame_count;
    print_text(prompt);
    *value = initial;
    if (input_value(frame_count - 1, 0, value) != 0) {
        return false;
    }
    *value = clamp_frame_number(*value, frame_count);
    return true;
}

void reverse_frames() {
    Animation& anim = animation();
    if (anim.frame_count < 2) {
        return;
    }
    clear_text();
    show_edit_status();
    int first, last;
    if (!ask_frame_number(TEXT_REVERSE_FIRST, anim.current_frame, &first) ||
        !ask_frame_number(TEXT_REVERSE_LAST, anim.current_frame, &last)) {
        return;
    }
    reverse_frame_range(first, last);
}

int insert_frame_copies(int first, int last, int destination, int times) {
    Animation& anim = animation();
    const int n = last - first + 1;
    const int total = n * times;
    // Every copy is made from the sources as they stand, before anything moves, and all of them
    // exist before the table changes, so running out of memory leaves the animation untouched.
    Frame** copies = new (std::nothrow) Frame*[total];
    if (copies == nullptr) {
        return -1;
    }
    for (int i = 0; i < total; ++i) {
        copies[i] = copy_frame(anim.frames[first + i % n], animation_state().allocate);
        if (copies[i] == nullptr) {
            for (int j = 0; j < i; ++j) {
                free_frame(copies[j]);
            }
            delete[] copies;
            return -1;
        }
    }
    for (int slot = anim.frame_count - 1; slot >= destination; --slot) {
        anim.frames[slot + total] = anim.frames[slot];
    }
    for (int i = 0; i < total; ++i) {
        anim.frames[destination + i] = copies[i];
    }
    anim.frame_count += total;
    delete[] copies;
    return 0;
}

void multi_copy() {
    Animation& anim = animation();
    if (anim.frame_count <= 0) {
        return;
    }
    clear_text();
    show_edit_status();
    int first, last, destination;
    if (!ask_frame_number(TEXT_COPY_FIRST, anim.current_frame, &first) ||
        !ask_frame_number(TEXT_COPY_LAST, anim.frame_count - 1, &last) || last < first ||
        !ask_frame_number(TEXT_COPY_TARGET, anim.current_frame, &destination)) {
        return;
    }
    print_text(TEXT_COPY_TIMES);
    int times = 1;
    if (input_value(64, 0, &times) != 0 || times <= 0) {
        return;
    }
    if (times > 64) {
        times = 64;
    }
    const int total = (last - first + 1) * times;
    if (total + anim.frame_count >= MAX_FRAMES) {
        message_box(TEXT_COPY_TOO_MANY, CAPTION_COPY_ERROR, MessageButtons::ok, MessageIcon::error);
        return;
    }
    char question[128];
    std::snprintf(question, sizeof question, FORMAT_COPY_QUESTION, destination, total);
    if (message_box(question, CAPTION_COPY, MessageButtons::yes_no, MessageIcon::none) !=
        MessageAnswer::yes) {
        return;
    }
    if (insert_frame_copies(first, last, destination, times) != 0) {
        message_box(TEXT_COPY_NO_MEMORY, CAPTION_COPY_ERROR, MessageButtons::ok,
                    MessageIcon::error);
    }
}
