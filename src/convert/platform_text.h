// Text and path handling that differs between Windows and Linux.
#pragma once

#include <string>

// A Shift-JIS (code page 932) text as UTF-8; bytes that do not decode become U+FFFD.
std::string cp932_to_utf8(const char* text);
// A path in the platform's own encoding (the ANSI code page on Windows, bytes on Linux) as UTF-8.
std::string path_to_utf8(const char* path);
// The file-name part of a path (after the last folder separator); empty when the path names a
// folder.
const char* file_title_part(const char* path);
