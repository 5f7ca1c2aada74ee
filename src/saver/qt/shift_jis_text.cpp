#include "saver/qt/shift_jis_text.h"

#include <iconv.h>

#include <vector>

namespace {

// Converts with the C library's converter; characters it cannot convert are skipped rather than
// ending the text.
std::string convert(const char* to, const char* from, const std::string& input) {
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) return input;
    std::vector<char> in(input.begin(), input.end());
    std::string output;
    char* in_ptr = in.data();
    size_t in_left = in.size();
    while (in_left > 0) {
        char buffer[256];
        char* out_ptr = buffer;
        size_t out_left = sizeof buffer;
        const size_t result = iconv(converter, &in_ptr, &in_left, &out_ptr, &out_left);
        output.append(buffer, size_t(out_ptr - buffer));
        if (result == size_t(-1) && out_ptr == buffer) {
            // An unconvertible or incomplete sequence: step over one byte.
            ++in_ptr;
            --in_left;
        }
    }
    iconv_close(converter);
    return output;
}

}  // namespace

QString from_shift_jis(const std::string& text) {
    return QString::fromStdString(convert("UTF-8", "CP932", text));
}

QString from_shift_jis(const char* text) { return from_shift_jis(std::string(text)); }

std::string to_shift_jis(const QString& text) {
    return convert("CP932", "UTF-8", text.toStdString());
}
