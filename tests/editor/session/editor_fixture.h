// The editor's animation on the in-process scripted host, reset around every test.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "editor/session/animation.h"
#include "editor/session/load_save.h"
#include "host/script/script_host_testing.h"
#include "raster/raster.h"
#include "support/session_fixture.h"
#include "support/temp_folder.h"
#include "support/text.h"

namespace anim_test {

using test_support::utf8;

inline bool logged(const std::string& fragment) {
    const auto& lines = script_host_messages();
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.find(fragment) != std::string::npos;
    });
}

inline int count_boxes() {
    const auto& lines = script_host_messages();
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.rfind("box ", 0) == 0;
    }));
}

inline std::string error_box(const char8_t* text) {
    return "box ok error \"" + utf8(u8"大変だ！") + "\" \"" + utf8(text) + "\"";
}

using test_support::shown_text;

inline uint8_t* canvas_bits() { return virtual_screen().bits; }

inline std::vector<uint8_t> canvas_copy() {
    return std::vector<uint8_t>(canvas_bits(), canvas_bits() + FRAME_PIXELS);
}

// A picture that differs for every n: a black box whose place and size depend on n.
inline void draw_picture(int n) {
    fill_bytes(canvas_bits(), CANVAS_WIDTH, CANVAS_HEIGHT, CANVAS_PAPER);
    for (int y = n % 200; y < n % 200 + 10 + n % 30; ++y) {
        for (int x = (n * 7) % 280; x < (n * 7) % 280 + 5 + n % 35; ++x) {
            canvas_bits()[y * CANVAS_WIDTH + x] = CANVAS_INK;
        }
    }
}

// Every frame block, byte for byte, with the counters: two snapshots are equal only when the
// animation is exactly the same.
struct AnimationSnapshot {
    std::vector<std::vector<uint8_t>> blocks;
    int32_t frame_count;
    int32_t current_frame;
    int32_t speed;
    bool operator==(const AnimationSnapshot&) const = default;
};

inline AnimationSnapshot snapshot() {
    const Animation& anim = animation();
    AnimationSnapshot shot{{}, anim.frame_count, anim.current_frame, anim.speed};
    for (int32_t i = 0; i < anim.frame_count; ++i) {
        const auto* block = reinterpret_cast<const uint8_t*>(anim.frames[i]);
        shot.blocks.emplace_back(block, block + frame_block_size(anim.frames[i]));
    }
    return shot;
}

class EditorAnimationTest : public test_support::SessionFixture {
protected:
    void SetUp() override {
        SessionFixture::SetUp();
        animation_file_names() = AnimationFileNames{};
        set_file_name(animation_file_names().current_path, "anime.mpa");
        set_file_name(animation_file_names().current_name, "anime.mpa");
    }
    // An animation of `count` different pictures, left on frame `current` at `speed`.
    void make_animation(int32_t count, int32_t current, int32_t speed) {
        Animation& anim = animation();
        for (int32_t i = 0; i < count; ++i) {
            if (i >= anim.frame_count) {
                anim.frames[i] = new_empty_frame();
                anim.frame_count = i + 1;
            }
            anim.current_frame = i;
            draw_picture(i + 1);
            ASSERT_GT(store_current_frame(), 0);
        }
        anim.current_frame = current;
        anim.speed = speed;
    }

    test_support::TempFolder folder;
};

}  // namespace anim_test
