// The four menu images the menu pages draw, loaded from 8-bit DIB files in the program folder.
#pragma once

#include <cstddef>
#include <cstdint>

#include "raster/raster.h"

struct MenuImages {
    ImageRef sysmenu;
    ImageRef animmenu;
    ImageRef stpmenu;
    ImageRef editmenu;
};

MenuImages& menu_images();

// Decodes a DIB file image: width and absolute height from the information header, width x height
// pixel bytes from bfOffBits, first stored row on top, then 1 -> 0 (transparent) and 2 -> 10
// (black). 0, or -1 when it is not "BM" or the header or the pixels lie outside the data (then
// the image is left alone).
int decode_dib(const uint8_t* data, std::size_t size, ImageRef* image);
// Reads and decodes one file. 0, or -1 when the file cannot be read or is not a DIB.
int load_menu_image(const char* path, ImageRef* image);
// Loads sysmenu.dib, animmenu.dib, stpmenu.dib and editmenu.dib from `folder` (which ends in the
// separator) into *images, replacing what was held. Returns the sum of the four results (0 .. -4).
int load_menu_images(const char* folder, MenuImages* images);
void release_menu_images(MenuImages* images);
