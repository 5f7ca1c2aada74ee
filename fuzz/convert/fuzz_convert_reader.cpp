// Runs whole conversions on arbitrary animation files: the converter's reading checks, decoding,
// scaling and BMP writing, at an output size the first two bytes choose, or, when the second byte
// is odd, the GIF writing at the enlargement and looping the first byte chooses. Every written BMP
// file must have exactly the size its header announces; a GIF must have its screen size and end
// in its trailer.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "convert/bmp_file.h"
#include "convert/convert_animation.h"

namespace {

void ignore_error(void*, const char*, const char*) {}
void ignore_status(void*, const StatusLine&) {}

// Output goes to memory-backed files in a folder made once per process and removed at its end.
// A plain array, so it is still there when the exit handler runs.
char output_folder[] = "/dev/shm/fuzz_convert_XXXXXX";

void make_output_folder() {
    if (mkdtemp(output_folder) == nullptr) std::abort();
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(output_folder, ignored);
    });
}

void check_gif(const ConverterState& state) {
    FILE* file = std::fopen(state.output_path, "rb");
    if (file == nullptr) {
        if (state.header.page_count > 0) __builtin_trap();  // frames but no GIF
        return;
    }
    uint8_t start[10] = {};
    const size_t got = std::fread(start, 1, sizeof start, file);
    std::fseek(file, -1, SEEK_END);
    const int last = std::fgetc(file);
    std::fclose(file);
    std::remove(state.output_path);
    const int width = start[6] | start[7] << 8;
    const int height = start[8] | start[9] << 8;
    if (got != sizeof start || std::memcmp(start, "GIF89a", 6) != 0 || last != 0x3B ||
        width != 320 * state.gif.scale || height != 240 * state.gif.scale)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    make_output_folder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int file = memfd_create("animation", 0);
    if (file < 0) return 0;
    if (write(file, data + 2, size - 2) != static_cast<ssize_t>(size - 2)) {
        close(file);
        return 0;
    }
    auto state = std::make_unique<ConverterState>();
    std::snprintf(state->input_path, sizeof state->input_path, "/proc/self/fd/%d", file);
    std::snprintf(state->output_path, sizeof state->output_path, "%s/f", output_folder);
    std::snprintf(state->output_title, sizeof state->output_title, "f");
    // Signed, so sizes below the smallest step and negative ones are explored too.
    state->output_width = static_cast<int8_t>(data[0]) * 3;
    state->output_height = static_cast<int8_t>(data[1]) * 2;
    const bool gif = (data[1] & 1) != 0;
    if (gif) {
        state->output_kind = OutputKind::gif_animation;
        state->gif = {(data[0] & 3) + 1, (data[0] & 4) != 0};
    }
    const ConverterFront front{nullptr, ignore_error, ignore_status};
    const int failed = convert_animation(state.get(), front);
    close(file);
    if (failed > 0) __builtin_trap();  // the folder is writable: no frame may fail
    if (failed == 0 && state->frame_count != 0) __builtin_trap();  // frames released at the end
    if (failed < 0) return 0;
    if (gif) {
        check_gif(*state);
        return 0;
    }
    const std::string first = std::string(output_folder) + "/f0000.BMP";
    if (FILE* bmp = std::fopen(first.c_str(), "rb")) {
        uint8_t header[BMP_HEADER_SIZE] = {};
        const size_t got = std::fread(header, 1, sizeof header, bmp);
        std::fseek(bmp, 0, SEEK_END);
        const long length = std::ftell(bmp);
        std::fclose(bmp);
        std::remove(first.c_str());
        const uint32_t announced =
            header[2] | header[3] << 8 | header[4] << 16 | static_cast<uint32_t>(header[5]) << 24;
        if (got != sizeof header || static_cast<long>(announced) != length) __builtin_trap();
    }
    return 0;
}
