// Frame operations shared by the frame commands (their command functions are in commands.h).
#pragma once

// Appends a blank (all-white) frame after the last one; false, after telling the user and waiting
// for a click, when the table is full or memory runs out. The canvas is left white.
bool append_blank_frame();

// Reverses the order of frames first ... last in place.
void reverse_frame_range(int first, int last);

// Inserts `times` copies of frames first ... last in front of frame `destination`. Returns 0, or
// -1 with the animation unchanged when memory runs out.
int insert_frame_copies(int first, int last, int destination, int times);
