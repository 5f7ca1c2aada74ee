// The editor's load and save commands and the reading steps they share with the start-up.
#pragma once

#include "host/host.h"

// The names the file dialogs start from and fill in; kept between commands. Empty until start-up
// has run the first-run setup (whose dialog starts without a name), then "anime.mpa".
struct AnimationFileNames {
    char current_path[FILE_NAME_CAPACITY] = "";
    char current_name[FILE_NAME_CAPACITY] = "";
};

constexpr const char* DEFAULT_ANIMATION_NAME = "anime.mpa";
// Copies `text` into a name buffer; false (buffer unchanged) when it does not fit.
bool set_file_name(char (&buffer)[FILE_NAME_CAPACITY], const char* text);

AnimationFileNames& animation_file_names();

// Command 40: prompt, open dialog, then load_animation_file.
void load_animation();
// Reads the file named in current_path into the animation, with the progress line and the
// messages of each failure. A file refused before any frame is read leaves the animation exactly
// as it was; a failure inside the frames keeps the frames read before it. A result without frames
// becomes one empty frame.
void load_animation_file();
// Command 41 (also the emergency save): prompt, save dialog, write.
void save_animation();

// Turns frames 0 .. raw_count - 1 of the table, each a raw 1-bit block, into run-length frames
// through the canvas, with a progress line per frame, and clears the text window before and after.
// 0, or -1 when memory ran out: the frames before the failing one are kept and the message stays
// in the text window.
int convert_raw_frames(int32_t raw_count);
