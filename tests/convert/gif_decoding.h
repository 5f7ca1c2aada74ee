// Reading written GIFs back with giflib, the decoder most programs use, and the pictures they
// must show: each frame as the editor draws it, enlarged.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One composed picture as a player shows it (1 = ink, 0 = paper, a byte per pixel), and for how
// long.
struct ShownPicture {
    std::vector<uint8_t> ink;
    int delay = 0;  // hundredths of a second
};

struct DecodedGif {
    std::string error;  // empty when giflib read the whole file
    int width = 0;
    int height = 0;
    bool loops_forever = false;
    // Every image asks to stay in place for the next one.
    bool all_kept = true;
    std::vector<ShownPicture> pictures;
};

// Slurps the file with giflib and composes each image over the ones before it.
DecodedGif decode_with_giflib(const std::vector<uint8_t>& gif);

// The frame's tokens drawn as the editor plays them (on paper), each pixel scale x scale.
std::vector<uint8_t> editor_picture(const std::vector<uint8_t>& tokens, int scale);

// When frame k of an animation at `speed` frames per second starts, in hundredths: the rounded
// exact time, computed apart from the converter's own arithmetic.
long frame_start(long k, int speed);
// The frame on screen at moment `at` (hundredths) of an animation of `count` frames.
int frame_due(long at, int speed, int count);
