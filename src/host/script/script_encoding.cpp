#include <iconv.h>

#include <cerrno>

#include "host/script/script_host_testing.h"

namespace {
// Converts with iconv; an undecodable byte becomes `replacement` when one is given, otherwise
// the conversion fails.
bool convert(const char* to, const char* from, const std::string& input, std::string* output,
             const char* replacement) {
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) return false;
    output->clear();
    char* in = const_cast<char*>(input.data());
    std::size_t in_left = input.size();
    bool ok = true;
    while (in_left > 0) {
        char buffer[256];
        char* out = buffer;
        std::size_t out_left = sizeof buffer;
        const std::size_t result = iconv(converter, &in, &in_left, &out, &out_left);
        output->append(buffer, static_cast<std::size_t>(out - buffer));
        if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
        if (replacement == nullptr) {
            ok = false;
            break;
        }
        output->append(replacement);
        ++in;
        --in_left;
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(converter);
    return ok;
}
}  // namespace

std::string sjis_to_utf8(const std::string& bytes) {
    std::string text;
    convert("UTF-8", "CP932", bytes, &text, "?");
    return text;
}

bool utf8_to_sjis(const std::string& text, std::string* bytes) {
    return convert("CP932", "UTF-8", text, bytes, nullptr);
}
