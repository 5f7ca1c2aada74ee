// What the converter's core tells the user, through whichever front (dialog or command line)
// runs it. Texts are Shift-JIS; a path is the platform's own bytes and is kept apart so a front
// can show it in its own encoding.
#pragma once

// A line for the status control. The shown text is `path` (when not null) followed by `text`.
struct StatusLine {
    const char* path;
    const char* text;
};

struct ConverterFront {
    void* context = nullptr;
    // An error box with only OK, owned by the converter's dialog.
    void (*show_error)(void* context, const char* text, const char* caption) = nullptr;
    // Replaces the status line.
    void (*show_status)(void* context, const StatusLine& line) = nullptr;
};
