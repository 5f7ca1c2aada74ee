// The converter without its dialog, for batch use and scripts:
//   m2bmp [--width W] [--height H] INPUT.mpa OUTPUT_PREFIX
// It writes exactly the files the dialog would for the same choices, prints the status lines as
// UTF-8 on `out` and the error boxes' texts on `err`.
#pragma once

#include <cstdio>

constexpr int EXIT_ALL_WRITTEN = 0;
constexpr int EXIT_NOT_ALL_WRITTEN = 1;
constexpr int EXIT_USAGE = 2;

// argv[0] is the program; the rest are the arguments. Returns the process exit code: 0 only when
// every frame was written.
int run_command_line(int argc, const char* const* argv, FILE* out, FILE* err);

// The file of a command line that is one file name alone (a file dropped on the program, or
// "Open with"): the dialog then opens with it as its input. Null for any other command line.
const char* dropped_file(int argc, const char* const* argv);
