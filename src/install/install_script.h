// The installer's script (install.ini): keywords followed by values or lists of items.
#pragma once

#include <string>
#include <vector>

// Capacities of the fields in bytes, terminator included; a script that exceeds one is refused
// rather than cut, so that a path is never installed half-written.
constexpr size_t APP_NAME_CAPACITY = 256;
constexpr size_t LIST_ITEM_CAPACITY = 256;
constexpr size_t LIST_MAX_ITEMS = 64;
constexpr size_t DEST_HINT_CAPACITY = 256;
constexpr size_t PATH_CAPACITY = 512;
constexpr size_t MESSAGE_CAPACITY = 512;
constexpr size_t TITLE_CAPACITY = 512;
constexpr size_t GROUP_NAME_CAPACITY = 256;
constexpr size_t END_MESSAGE_CAPACITY = 1024;
// Room for a list keyword's raw text before it is split into items.
constexpr size_t LIST_SCRATCH_CAPACITY = 20348;

struct InstallScript {
    std::vector<std::string> app_names;
    std::string destination_hint;
    std::string destination;  // full path ending in the separator once completed
    std::string ini_file;     // full path once completed
    std::string message;
    std::vector<std::string> install_files;
    std::string title;
    std::string group_name;
    std::string end_message;
    std::vector<std::string> link_targets;
};

// The text after the first occurrence of keyword up to the next '#' or the end. Returns false
// (and leaves *value alone) when the keyword does not occur.
bool find_keyword_value(const std::string& text, const char* keyword, std::string* value);
// Removes every blank, tab, carriage return and line feed.
std::string strip_blanks(const std::string& value);
// Splits at blanks, tabs and line breaks, dropping empty items.
std::vector<std::string> split_items(const std::string& text);

// Parses a script's text into *script (the raw values: paths not yet completed). Returns an empty
// string on success, otherwise what is wrong with the script (English, for logs and tests).
std::string parse_install_script(const std::string& text, InstallScript* script);
// Reads the whole file at path and parses it. Same result convention.
std::string read_install_script(const std::string& path, InstallScript* script);
