#include <iconv.h>

#include <cerrno>
#include <cstring>

#include "convert/platform_text.h"

std::string cp932_to_utf8(const char* text) {
    std::string out;
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return text;
    char* in = const_cast<char*>(text);
    size_t in_left = std::strlen(text);
    char buffer[256];
    while (in_left > 0) {
        char* at = buffer;
        size_t room = sizeof buffer;
        const size_t done = iconv(cd, &in, &in_left, &at, &room);
        out.append(buffer, static_cast<size_t>(at - buffer));
        if (done == static_cast<size_t>(-1) && errno != E2BIG) {
            out += "\xEF\xBF\xBD";
            ++in;
            --in_left;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return out;
}

std::string path_to_utf8(const char* path) { return path; }

const char* file_title_part(const char* path) {
    const char* slash = std::strrchr(path, '/');
    return slash != nullptr ? slash + 1 : path;
}
