// Frames named by letters for the frame, stamp and playback tests, so that a table of frames reads
// as "ABC" ('_' is the blank frame), in memory and in saved files; and the menu buttons those
// tests click in scripts.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "editor/session/animation.h"
#include "editor_test_support.h"
#include "host/host.h"
#include "host/script/script_host_testing.h"
#include "support/temp_folder.h"

// The picture named `letter`: white with one black band whose rows depend on the letter, so every
// letter encodes to different tokens; '_' is all white.
inline Picture letter_picture(char letter) {
    Picture picture;
    if (letter != '_') {
        const int index = letter - 'A';
        picture.fill(0, index * 9 + 1, CANVAS_WIDTH - 1, index * 9 + 3 + index % 4);
    }
    return picture;
}

inline std::vector<Picture> letter_pictures(const std::string& letters) {
    std::vector<Picture> pictures;
    for (char letter : letters) {
        pictures.push_back(letter_picture(letter));
    }
    return pictures;
}

constexpr const char* FRAME_LETTERS = "_ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// The letter whose picture the frame holds, token for token; '?' for none.
inline char letter_of(const Frame* frame) {
    static const std::vector<std::vector<uint8_t>> encoded = [] {
        std::vector<std::vector<uint8_t>> all;
        for (const char* letter = FRAME_LETTERS; *letter != 0; ++letter) {
            std::vector<uint8_t> tokens(FRAME_PIXELS);
            const int32_t count = encode_runs(letter_picture(*letter).pixels.data(), CANVAS_WIDTH,
                                              CANVAS_HEIGHT, tokens.data(), FRAME_PIXELS);
            tokens.resize(static_cast<size_t>(count));
            all.push_back(tokens);
        }
        return all;
    }();
    for (size_t i = 0; i < encoded.size(); ++i) {
        if (static_cast<size_t>(frame->token_count) == encoded[i].size() &&
            std::equal(encoded[i].begin(), encoded[i].end(), frame_tokens(frame))) {
            return FRAME_LETTERS[i];
        }
    }
    return '?';
}

inline std::string letters_of(const Frame* const* frames, int count) {
    std::string letters;
    for (int i = 0; i < count; ++i) {
        letters += letter_of(frames[i]);
    }
    return letters;
}

// The letters of the frames of an animation file and its speed; "unreadable" when the reader
// refuses it.
inline std::string letters_in_file(const std::string& path, int32_t* speed = nullptr) {
    std::vector<Frame*> table(MAX_FRAMES, nullptr);
    const ReadResult result = read_animation_file(path.c_str(), table.data(), ReadOptions{});
    const std::string letters = result.status == ReadStatus::ok
                                    ? letters_of(table.data(), result.frames_read)
                                    : std::string("unreadable");
    free_frames(table.data(), result.frames_read);
    if (speed != nullptr) {
        *speed = result.header.speed;
    }
    return letters;
}

using test_support::read_text;

// Writes an animation file of these frames for a script to load; returns its path.
inline std::string write_animation(const std::string& name, const std::vector<Picture>& frames,
                                   int32_t speed = 5) {
    const std::string path = test_support::temp_dir() + name + ".mpa";
    const std::vector<uint8_t> bytes = animation_file_bytes(frames, speed);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
}

inline std::string write_letters_file(const std::string& name, const std::string& letters,
                                      int32_t speed = 5) {
    return write_animation(name, letter_pictures(letters), speed);
}

class LetteredFramesFixture : public EditorFixture {
protected:
    void TearDown() override {
        animation_state().allocate = allocate_block;
        EditorFixture::TearDown();
    }

    static uint8_t* canvas_bits() { return virtual_screen().bits; }

    // Replaces the animation's frames with the lettered pictures.
    void set_frames(const std::string& letters, int current = 0) {
        Animation& anim = animation();
        free_frames(anim.frames, anim.frame_count);
        anim.frame_count = 0;
        for (char letter : letters) {
            set_frame(anim.frame_count, letter_picture(letter));
        }
        anim.current_frame = current;
    }

    static std::string frame_letters() {
        return letters_of(animation().frames, animation().frame_count);
    }

    // Whether the canvas shows the lettered picture in black and white.
    bool canvas_shows(char letter) const { return canvas() == letter_picture(letter); }

    // Whether some recorded dialog or box line contains `text`.
    static bool logged(const std::string& text) {
        for (const std::string& line : script_host_messages()) {
            if (line.find(text) != std::string::npos) {
                return true;
            }
        }
        return false;
    }
};

// Script lines for the menu buttons, a few pixels inside each face.
namespace menu_script {

using Point = std::pair<int, int>;

inline std::string at(const char* command, Point p) {
    return std::string(command) + " " + std::to_string(p.first) + " " + std::to_string(p.second) +
           "\n";
}
inline std::string click(Point p) { return at("click", p); }

constexpr Point WELCOME{300, 230};
constexpr Point NOWHERE{300, 200};
constexpr Point SYSTEM_LOAD{40, 36};
constexpr Point SYSTEM_SAVE{170, 36};
constexpr Point SYSTEM_SPEED{40, 52};
constexpr Point SYSTEM_PLAY_CHOSEN{170, 52};
constexpr Point SYSTEM_REWIND{40, 68};
constexpr Point SYSTEM_PLAY_LOOP{170, 68};
constexpr Point SYSTEM_PLAY{40, 116};
constexpr Point SYSTEM_TO_DRAWING{40, 136};
constexpr Point DRAWING_TO_STAMP{14, 132};
constexpr Point DRAWING_TO_EDIT{40, 148};
constexpr Point DRAWING_TO_SYSTEM{170, 132};
constexpr Point DRAWING_COPY_PREVIOUS{135, 84};
constexpr Point DRAWING_UNDO{40, 100};
constexpr Point EDIT_NEXT{40, 36};
constexpr Point EDIT_PREVIOUS{104, 36};
constexpr Point EDIT_JUMP{232, 36};
constexpr Point EDIT_DELETE{40, 52};
constexpr Point EDIT_INSERT{180, 52};
constexpr Point EDIT_MULTI_COPY{40, 68};
constexpr Point EDIT_REVERSE{180, 68};
constexpr Point EDIT_TO_DRAWING{40, 100};
constexpr Point STAMP_PRESS{40, 36};
constexpr Point STAMP_NEW{104, 36};
constexpr Point STAMP_TO_DRAWING{104, 52};
constexpr Point STAMP_NEXT{40, 68};
constexpr Point STAMP_PREVIOUS{170, 68};
constexpr Point STAMP_DELETE{200, 36};
constexpr Point STAMP_NEXT_FRAME{40, 84};
constexpr Point STAMP_WHITE{40, 100};
constexpr Point STAMP_BLACK{104, 100};

// Past the welcome, loading the file at `path` on the system page.
inline std::string start_with_file(const std::string& path) {
    return click(WELCOME) + "file " + path + "\n" + click(SYSTEM_LOAD);
}
// From the system page to the edit page and back.
inline std::string system_to_edit() { return click(SYSTEM_TO_DRAWING) + click(DRAWING_TO_EDIT); }
inline std::string edit_to_system() { return click(EDIT_TO_DRAWING) + click(DRAWING_TO_SYSTEM); }
// On the system page: saves under `name` in the run's folder.
inline std::string save_as(const std::string& name) {
    return "file " + name + "\n" + click(SYSTEM_SAVE);
}
// The pointer rests away from every button, then the text window is written to `name`.
inline std::string dump_text(const std::string& name) {
    return at("move", NOWHERE) + "wait 8\ndump text " + name + "\n";
}

}  // namespace menu_script
