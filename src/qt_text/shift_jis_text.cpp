#include "qt_text/shift_jis_text.h"

#include <QList>

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <cstdint>

namespace {

// The C library's CP932 is the table the compiler used for our literals.
class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Converts the whole of `input` into `output`; false at the first sequence it cannot convert.
    bool convert(const char* input, size_t length, std::string* output) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(input);
        size_t in_left = length;
        while (in_left > 0) {
            char buffer[256];
            char* out = buffer;
            size_t out_left = sizeof buffer;
            const size_t result = iconv(handle_, &in, &in_left, &out, &out_left);
            output->append(buffer, size_t(out - buffer));
            if (result == size_t(-1) && errno != E2BIG) return false;
        }
        return true;
    }

private:
    iconv_t handle_;
};

// The first byte of a two-byte character.
bool is_lead_byte(uint8_t byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// One character's Shift-JIS bytes, or nothing.
std::optional<std::string> encode_one(Converter& converter, char32_t code_point) {
    const QString character = QString::fromUcs4(&code_point, 1);
    const QByteArray utf8 = character.toUtf8();
    std::string bytes;
    if (!converter.convert(utf8.constData(), size_t(utf8.size()), &bytes)) return std::nullopt;
    return bytes;
}

}  // namespace

QString sjis_to_qstring(const char* bytes, int length) {
    if (bytes == nullptr) return {};
    const size_t size = length < 0 ? std::strlen(bytes) : size_t(length);
    Converter converter("UTF-8", "CP932");
    if (!converter.valid()) return QString::fromLatin1(bytes, qsizetype(size));
    std::string utf8;
    if (converter.convert(bytes, size, &utf8)) {
        return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    }
    // Character by character, so that one bad byte costs one replacement character and not the
    // rest of the text.
    QString text;
    size_t start = 0;
    while (start < size) {
        const size_t width = is_lead_byte(uint8_t(bytes[start])) && start + 1 < size ? 2 : 1;
        utf8.clear();
        if (converter.convert(bytes + start, width, &utf8) && !utf8.empty()) {
            text += QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
            start += width;
        } else {
            text += QChar(QChar::ReplacementCharacter);
            start += 1;
        }
    }
    return text;
}

QString sjis_to_qstring(const std::string& bytes) {
    return sjis_to_qstring(bytes.data(), int(bytes.size()));
}

std::optional<std::string> qstring_to_sjis(const QString& text) {
    Converter converter("CP932", "UTF-8");
    if (!converter.valid()) return std::nullopt;
    std::string bytes;
    for (char32_t code_point : text.toUcs4()) {
        const std::optional<std::string> one = encode_one(converter, code_point);
        if (!one) return std::nullopt;
        bytes += *one;
    }
    return bytes;
}

qsizetype sjis_length(const QString& text) {
    Converter converter("CP932", "UTF-8");
    qsizetype length = 0;
    for (char32_t code_point : text.toUcs4()) {
        const std::optional<std::string> one =
            converter.valid() ? encode_one(converter, code_point) : std::nullopt;
        length += one ? qsizetype(one->size()) : 2;
    }
    return length;
}
