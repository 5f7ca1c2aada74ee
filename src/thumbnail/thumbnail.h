// The picture a file manager shows for an animation file: its first frame that has ink (else its
// first frame), read with the reader and limits the saver and the converter use.
#pragma once

#include <cstdint>
#include <vector>

#include "anim/animation_file.h"

struct ThumbnailPicture {
    // CANVAS_WIDTH x CANVAS_HEIGHT bytes, top row first: CANVAS_INK or CANVAS_PAPER.
    std::vector<uint8_t> pixels;
};

// Reads the file and fills *picture. A file the reader refuses or stops in (damaged, cut short,
// too many pages) yields no picture: its status comes back and *picture is left empty.
ReadStatus make_thumbnail_picture(const char* path, ThumbnailPicture* picture);

struct ThumbnailSize {
    int32_t width;
    int32_t height;
};

// The canvas scaled to at most `longest` pixels on its longer side, by whole pixels where it
// grows so that it stays sharp; {0, 0} for a longest side below 1.
ThumbnailSize thumbnail_size(int32_t longest);
