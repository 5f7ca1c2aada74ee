// The configuration file mepusys.ini in the host's Windows directory: one word, the program folder.
#pragma once

#include <cstdio>
#include <string>

constexpr const char* CONFIG_FILE_NAME = "mepusys.ini";
// The longest menu image file name, appended to the program folder.
constexpr int LONGEST_MENU_IMAGE_NAME = 12;

// Windows directory + separator + mepusys.ini; empty when the host's folder does not fit its buffer.
std::string config_file_path();
// The same file in the user's own folder (made first when create_folder is true), where the
// Windows directory refuses it; empty where the host has no such folder.
std::string user_config_file_path(bool create_folder);
// Whether menu image paths built from this folder fit the program folder buffer.
bool program_folder_fits(const std::string& folder);
// The first white-space-delimited word of the file: the program folder it names.
std::string read_first_word(std::FILE* file);
