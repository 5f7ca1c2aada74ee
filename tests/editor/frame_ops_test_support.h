// Frames named by letters for the frame, stamp and playback tests, so that a table reads as "ABC".
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "anim/animation.h"
#include "editor_test_support.h"
#include "host/host.h"
#include "host/script/script_host_testing.h"
#include "raster/raster.h"

// The picture named `letter` ('A' ... 'Z'): white with one black band whose rows depend on the
// letter, so every letter encodes to different tokens.
inline void paint_letter_picture(uint8_t* canvas, char letter)
{
    const int index = letter - 'A';
    fill_bytes(canvas, CANVAS_WIDTH, CANVAS_HEIGHT, CANVAS_PAPER);
    fill_bytes(canvas + (index * 9 + 1) * CANVAS_WIDTH, CANVAS_WIDTH, 3 + index % 4, CANVAS_INK);
}

inline std::vector<uint8_t> frame_bytes(const Frame* frame)
{
    const uint8_t* block = reinterpret_cast<const uint8_t*>(frame);
    return std::vector<uint8_t>(block, block + frame_block_size(frame));
}

class LetteredFramesFixture : public EditorFixture {
protected:
    void TearDown() override
    {
        animation_state().allocate = allocate_block;
        EditorFixture::TearDown();
    }

    static uint8_t* canvas_bits() { return virtual_screen().bits; }

    // Replaces the animation's frames with the lettered pictures ('_' is the blank frame).
    void set_frames(const std::string& letters, int current = 0)
    {
        Animation& anim = animation();
        free_frames(anim.frames, anim.frame_count);
        anim.frame_count = 0;
        for (char letter : letters) {
            paint(letter);
            Frame* frame = nullptr;
            ASSERT_GE(compress_canvas(canvas_bits(), CANVAS_WIDTH, CANVAS_HEIGHT, &frame), 0);
            anim.frames[anim.frame_count++] = frame;
        }
        anim.current_frame = current;
    }

    // The letters of the frames 0 ... frame_count - 1 ('?' for a picture of no letter).
    std::string frame_letters()
    {
        std::string letters;
        const Animation& anim = animation();
        for (int i = 0; i < anim.frame_count; ++i) {
            letters += letter_of(anim.frames[i]);
        }
        return letters;
    }

    char letter_of(const Frame* frame)
    {
        const std::vector<uint8_t> bytes = frame_bytes(frame);
        for (char letter : std::string("_ABCDEFGHIJKLMNOPQRSTUVWXYZ")) {
            paint(letter);
            Frame* reference = nullptr;
            compress_canvas(canvas_bits(), CANVAS_WIDTH, CANVAS_HEIGHT, &reference);
            const bool same = frame_bytes(reference) == bytes;
            free_frame(reference);
            if (same) {
                return letter;
            }
        }
        return '?';
    }

    // Whether the canvas shows the lettered picture in black and white.
    bool canvas_shows(char letter)
    {
        std::vector<uint8_t> shown(canvas_bits(), canvas_bits() + FRAME_PIXELS);
        paint(letter);
        const bool same = std::memcmp(shown.data(), canvas_bits(), FRAME_PIXELS) == 0;
        std::memcpy(canvas_bits(), shown.data(), FRAME_PIXELS);
        return same;
    }

    void paint(char letter)
    {
        if (letter == '_') {
            fill_bytes(canvas_bits(), CANVAS_WIDTH, CANVAS_HEIGHT, CANVAS_PAPER);
        } else {
            paint_letter_picture(canvas_bits(), letter);
        }
    }

    // Whether some recorded dialog or box line contains `text`.
    static bool logged(const std::string& text)
    {
        for (const std::string& line : script_host_messages()) {
            if (line.find(text) != std::string::npos) {
                return true;
            }
        }
        return false;
    }
};
