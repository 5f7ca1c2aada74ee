// Reads the first word of arbitrary configuration file contents, as the editor's start-up does,
// and builds a menu image path from it wherever the folder is accepted.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "editor/session/config_file.h"
#include "editor/session/startup.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "r");
    if (file == nullptr) return 0;
    const std::string word = read_first_word(file);
    std::fclose(file);
    // The word is the bytes after the leading blanks, up to the next blank or the reading limit.
    std::size_t start = 0;
    while (start < size && std::isspace(data[start]) != 0) ++start;
    std::size_t end = start;
    while (end < size && std::isspace(data[end]) == 0 &&
           end - start <= static_cast<std::size_t>(PROGRAM_FOLDER_CAPACITY)) {
        ++end;
    }
    if (word != std::string(reinterpret_cast<const char*>(data) + start, end - start)) {
        __builtin_trap();
    }
    if (program_folder_fits(word)) {
        // The editor appends each image name to the folder in a buffer of this capacity.
        char program_folder[PROGRAM_FOLDER_CAPACITY];
        std::memcpy(program_folder, word.data(), word.size());
        std::memcpy(program_folder + word.size(), "editmenu.dib", LONGEST_MENU_IMAGE_NAME + 1);
    }
    return 0;
}
