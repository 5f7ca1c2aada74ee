// File operations on paths given as bytes in the platform's own encoding (the ANSI code page on
// Windows), which the installer must keep as they are.
#pragma once

#include <string>

// The folder part of a path: everything before its last separator.
std::string parent_folder(const std::string& path);
// Creates the folder and any missing parents; failures (such as an existing folder) are ignored.
void make_folders(const std::string& path);
// Copies a file, replacing an existing target. A target that is the source itself (the kit
// installed into its own folder) is already in place: nothing is written and the copy succeeds.
bool install_file_copy(const std::string& source, const std::string& target);
