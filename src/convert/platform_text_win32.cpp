#include <windows.h>

#include <cstring>

#include "convert/platform_text.h"

namespace {

std::string to_utf8(UINT code_page, const char* text) {
    const int length = static_cast<int>(std::strlen(text));
    if (length == 0) return {};
    const int wide_length = MultiByteToWideChar(code_page, 0, text, length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(wide_length), L'\0');
    MultiByteToWideChar(code_page, 0, text, length, wide.data(), wide_length);
    const int utf8_length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(utf8_length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_length, out.data(), utf8_length, nullptr,
                        nullptr);
    return out;
}

}  // namespace

std::string cp932_to_utf8(const char* text) { return to_utf8(932, text); }

std::string path_to_utf8(const char* path) { return to_utf8(CP_ACP, path); }

const char* file_title_part(const char* path) {
    // Walk by characters: the second byte of a double-byte character may be a backslash.
    const char* title = path;
    for (const char* at = path; *at != '\0'; at = CharNextExA(CP_ACP, at, 0))
        if (*at == '\\' || *at == '/' || *at == ':') title = at + 1;
    return title;
}
