// The editor's own settings: none of them is saved in animation files.
#pragma once

#include "editor/menu_pages.h"
#include "raster/canvas.h"

constexpr int PEN_WIDTH_THINNEST = 12;
constexpr int PEN_WIDTH_MEDIUM = 13;
constexpr int PEN_WIDTH_THICKEST = 14;
constexpr int MAX_ONION_DEPTH = 8;

struct EditorSettings {
    int pen_color = CANVAS_INK;  // or CANVAS_PAPER
    int pen_width = PEN_WIDTH_THINNEST;
    int onion_depth = 1;
    int menu_page = SYSTEM_PAGE;
};

// The one instance, owned by the application thread.
EditorSettings& editor_settings();
// Back to the start-up values (used by tests and a fresh start).
void reset_editor_settings();
