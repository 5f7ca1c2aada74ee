#include "editor/session/config_file.h"

#include <cctype>

#include "editor/session/startup.h"
#include "host/host.h"

namespace {

constexpr int WINDOWS_DIRECTORY_CAPACITY = 2000;

}  // namespace

std::string config_file_path() {
    char folder[WINDOWS_DIRECTORY_CAPACITY];
    if (windows_directory(folder, sizeof folder) < 0) {
        return std::string();
    }
    return std::string(folder) + path_separator() + CONFIG_FILE_NAME;
}

std::string user_config_file_path(bool create_folder) {
    char folder[WINDOWS_DIRECTORY_CAPACITY];
    if (user_config_directory(folder, sizeof folder, create_folder) < 0) {
        return std::string();
    }
    return std::string(folder) + path_separator() + CONFIG_FILE_NAME;
}

bool program_folder_fits(const std::string& folder) {
    return folder.size() + LONGEST_MENU_IMAGE_NAME <
           static_cast<std::size_t>(PROGRAM_FOLDER_CAPACITY);
}

// Reading stops once the word is too long to be used.
std::string read_first_word(std::FILE* file) {
    std::string word;
    int c = std::fgetc(file);
    while (c != EOF && std::isspace(c) != 0) {
        c = std::fgetc(file);
    }
    while (c != EOF && std::isspace(c) == 0 && word.size() <= PROGRAM_FOLDER_CAPACITY) {
        word.push_back(static_cast<char>(c));
        c = std::fgetc(file);
    }
    return word;
}
