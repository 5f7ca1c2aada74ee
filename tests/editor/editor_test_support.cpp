#include "editor_test_support.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "editor/session/animation.h"
#include "anim/run_length.h"
#include "editor/editor_settings.h"
#include "editor/stamps.h"
#include "host/host.h"
#include "host/script/script_host_testing.h"
#include "support/anim_file_bytes.h"
#include "support/temp_folder.h"

void Picture::set(int x, int y, uint8_t value) {
    if (x >= 0 && x < CANVAS_WIDTH && y >= 0 && y < CANVAS_HEIGHT)
        pixels[y * CANVAS_WIDTH + x] = value;
}

void Picture::fill(int x1, int y1, int x2, int y2, uint8_t value) {
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x) set(x, y, value);
}

void Picture::box(int x1, int y1, int x2, int y2, int thickness) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    const int t = thickness;
    fill(x1, y1, x1 + t - 1, y2 + t - 1);
    fill(x2, y1, x2 + t - 1, y2 + t - 1);
    fill(x1, y1, x2 + t - 1, y1 + t - 1);
    fill(x1, y2, x2 + t - 1, y2 + t - 1);
}

std::string describe_difference(const Picture& actual, const Picture& expected) {
    std::ostringstream out;
    int shown = 0;
    int count = 0;
    for (int i = 0; i < FRAME_PIXELS; ++i) {
        if (actual.pixels[i] == expected.pixels[i]) continue;
        ++count;
        if (shown++ < 8) {
            out << " (" << i % CANVAS_WIDTH << "," << i / CANVAS_WIDTH << ") is "
                << int(actual.pixels[i]) << " not " << int(expected.pixels[i]) << ";";
        }
    }
    return std::to_string(count) + " pixels differ:" + out.str();
}

Picture empty_frame() {
    Picture picture;
    picture.pixels.clear();
    return picture;
}

std::vector<uint8_t> animation_file_bytes(const std::vector<Picture>& frames, int32_t speed) {
    test_support::FileBytes file;
    file.header(static_cast<int32_t>(frames.size()), speed);
    std::vector<uint8_t> tokens(FRAME_PIXELS);
    for (const Picture& frame : frames) {
        const int32_t count = frame.pixels.empty()
                                  ? 0
                                  : encode_runs(frame.pixels.data(), CANVAS_WIDTH, CANVAS_HEIGHT,
                                                tokens.data(), FRAME_PIXELS);
        file.record(std::vector<uint8_t>(tokens.begin(), tokens.begin() + count));
    }
    return file.bytes;
}

void EditorFixture::SetUp() {
    SessionFixture::SetUp();
    put_canvas(Picture{});
    release_stamps();
    reset_editor_settings();
}

void EditorFixture::TearDown() {
    SessionFixture::TearDown();
    release_stamps();
}

Picture EditorFixture::canvas() const {
    Picture picture;
    const uint8_t* bits = virtual_screen().bits;
    picture.pixels.assign(bits, bits + FRAME_PIXELS);
    return picture;
}

void EditorFixture::put_canvas(const Picture& picture) {
    std::copy(picture.pixels.begin(), picture.pixels.end(), virtual_screen().bits);
}

void EditorFixture::set_frame(int index, const Picture& picture) {
    Animation& anim = animation();
    while (anim.frame_count <= index) anim.frames[anim.frame_count++] = new_empty_frame();
    ASSERT_GE(
        compress_canvas(picture.pixels.data(), CANVAS_WIDTH, CANVAS_HEIGHT, &anim.frames[index]),
        0);
}

Picture EditorFixture::frame_picture(int index) const {
    Picture picture;
    draw_frame(picture.pixels.data(), CANVAS_WIDTH, CANVAS_HEIGHT, animation().frames[index],
               CANVAS_INK, CANVAS_PAPER);
    return picture;
}

ScriptRun run_mepu_script(const std::string& test_name, const std::string& script,
                          const std::string& extra_arguments, bool configured) {
    namespace fs = std::filesystem;
    ScriptRun run;
    run.folder = test_support::temp_dir() + "mepu_editor_" + test_name;
    fs::remove_all(run.folder);
    fs::create_directories(run.folder + "/system");
    if (configured) {
        std::ofstream config(run.folder + "/system/mepusys.ini", std::ios::binary);
        config << MEPU_PROGRAM_FOLDER << "/";
    }
    {
        std::ofstream out(run.path("script.txt"), std::ios::binary);
        out << script;
    }
    const std::string command = "cd '" + run.folder +
                                "' && '" MEPU_SCRIPT_PROGRAM "' --system-dir system " +
                                extra_arguments + " script.txt 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    std::array<char, 4096> buffer;
    size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.output.append(buffer.data(), got);
    const int status = pclose(pipe);
    run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

Picture read_canvas_dump(const std::string& path) {
    Picture picture;
    const std::vector<uint8_t> bytes = read_file(path);
    if (bytes.size() == picture.pixels.size())
        picture.pixels = bytes;
    else
        picture.pixels.clear();
    return picture;
}
