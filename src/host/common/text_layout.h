// The text window's layout (host.h's clear_text, set_text_pos, print_text) over a backend's
// drawing surface. The layout walks the bytes; the surface measures and draws them.
#pragma once

// What a backend's text window provides. Called on the application thread only.
class TextSurface {
public:
    virtual ~TextSurface() = default;
    // Width in pixels of `length` bytes of Shift-JIS text in the window's font.
    virtual int measure_width(const char* text, int length) = 0;
    // Height in pixels of the letter "D" (the line height without the gap).
    virtual int letter_height() = 0;
    // Draws `length` bytes black on opaque white with the top-left at (x, y) (client pixels) in
    // both the backing image and the window, clipped to the window.
    virtual void draw_text(int x, int y, const char* text, int length) = 0;
    // Whitens the whole window extent in the backing image and the window.
    virtual void clear() = 0;
    // Where a line break returns the cursor to.
    virtual int line_start_x() = 0;
};

struct TextLayoutState {
    TextSurface* surface = nullptr;  // null: no text window, every text call does nothing
    int x = 0;                       // the cursor: where the next character's top-left goes
    int y = 0;
    int line_gap = 0;  // extra pixels between lines
};

// The one text layout of the process.
TextLayoutState& text_layout_state();
// Connects the text window (or nullptr for none) and puts the cursor at (0, 0).
void attach_text_surface(TextSurface* surface);

// Columns at or beyond this are ignored by set_text_pos.
constexpr int TEXT_MAX_COLUMN = 2048;
