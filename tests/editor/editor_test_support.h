// Shared pieces of the editor tests: pictures, an in-process editor on the scripted host, and runs
// of the mepu-script program.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "anim/frame.h"
#include "raster/raster.h"
#include "support/session_fixture.h"
#include "support/temp_folder.h"
#include "support/text.h"

using test_support::read_file;
using test_support::utf8;

using test_support::shown_text;

// A 320 x 240 picture of canvas values, white unless set.
struct Picture {
    std::vector<uint8_t> pixels = std::vector<uint8_t>(FRAME_PIXELS, CANVAS_PAPER);

    uint8_t at(int x, int y) const { return pixels[y * CANVAS_WIDTH + x]; }
    void set(int x, int y, uint8_t value = CANVAS_INK);
    // Inclusive corners, clipped to the picture.
    void fill(int x1, int y1, int x2, int y2, uint8_t value = CANVAS_INK);
    // Outline of thickness t growing right and down from ordered corners, as the box tool draws.
    void box(int x1, int y1, int x2, int y2, int thickness);
    bool operator==(const Picture&) const = default;
};

// Where two pictures differ, for failure messages.
std::string describe_difference(const Picture& actual, const Picture& expected);

// The empty frame (no tokens), as a fresh animation holds it until something is stored.
Picture empty_frame();

// Bytes of an animation file holding these pictures as frames.
std::vector<uint8_t> animation_file_bytes(const std::vector<Picture>& frames, int32_t speed = 5);

// The editor in-process on a fresh scripted host: canvas, one empty frame, start-up settings,
// no stamps.
class EditorFixture : public test_support::SessionFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    Picture canvas() const;
    void put_canvas(const Picture& picture);
    // Stores the picture as frame `index`, appending frames up to it.
    void set_frame(int index, const Picture& picture);
    // Frame `index` drawn in black and white.
    Picture frame_picture(int index) const;
};

// One run of the mepu-script program in a folder of its own, the system folder's mepusys.ini
// pointing at the program folder with the menu images.
struct ScriptRun {
    std::string folder;  // the run's current directory; files named in the script land here
    int exit_code = -1;
    std::string output;  // standard output and error

    std::string path(const std::string& name) const { return folder + "/" + name; }
};
// `script` is UTF-8 script text. Without `configured` the system folder has no mepusys.ini.
ScriptRun run_mepu_script(const std::string& test_name, const std::string& script,
                          const std::string& extra_arguments = "", bool configured = true);
Picture read_canvas_dump(const std::string& path);
