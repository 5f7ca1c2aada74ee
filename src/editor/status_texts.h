// Texts the menu pages and the tools write into the text window.
#pragma once

// "(x,y)" on row 1, the tools' position line.
void print_pointer_position(int x, int y);
// printf-style output into the text window (the texts are Shift-JIS, so are the arguments).
void print_formatted(const char* format, ...) __attribute__((format(printf, 1, 2)));
