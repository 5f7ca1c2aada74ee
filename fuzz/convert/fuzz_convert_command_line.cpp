// Splits arbitrary bytes at NUL bytes into m2bmp's arguments and runs the command line. Each
// argument has its slashes replaced, so every file it names lies in a folder made for this
// process, which holds one small animation, a.mpa.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "convert/command_line.h"

namespace {

// A plain array, so it is still there when the exit handler runs.
char folder[] = "/dev/shm/fuzz_convert_command_line_XXXXXX";
std::FILE* discard = nullptr;
constexpr char ANIMATION[] = "a.mpa";

// One frame of 600 paper runs of 128 pixels.
void write_animation() {
    std::vector<uint8_t> bytes = {24, 0, 0, 0, 64, 1, 0, 0, 240, 0, 0,    0, 1, 0,
                                  0,  0, 5, 0, 0,  0, 0, 0, 0,   0, 0x58, 2, 0, 0};
    bytes.insert(bytes.end(), 600, 0xFF);
    std::FILE* file = std::fopen(ANIMATION, "wb");
    if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
        std::fclose(file) != 0) {
        std::abort();
    }
}

void remove_written_files() {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().filename() != ANIMATION) {
            std::error_code ignored;
            std::filesystem::remove_all(entry.path(), ignored);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (mkdtemp(folder) == nullptr || chdir(folder) != 0) std::abort();
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    });
    discard = std::fopen("/dev/null", "w");
    if (discard == nullptr) std::abort();
    write_animation();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::vector<std::string> words(2);
    words[0] = "m2bmp";
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            words.emplace_back();
        } else {
            words.back().push_back(data[i] == '/' ? '_' : static_cast<char>(data[i]));
        }
    }
    if (size == 0) words.pop_back();
    std::vector<const char*> argv;
    for (const std::string& word : words) argv.push_back(word.c_str());
    const int code = run_command_line(static_cast<int>(argv.size()), argv.data(), discard, discard);
    if (code != EXIT_ALL_WRITTEN && code != EXIT_NOT_ALL_WRITTEN && code != EXIT_USAGE) {
        __builtin_trap();
    }
    remove_written_files();
    return 0;
}
