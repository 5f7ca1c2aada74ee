// Shift-JIS to Qt text and back: the bytes our literals compile to, bad bytes, and characters
// that have no Shift-JIS form.
#include "qt_text/shift_jis_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Literals here are compiled to Shift-JIS like every text of the programs; the u8 ones stay UTF-8.
QString utf8(const char8_t* text) { return QString::fromUtf8(reinterpret_cast<const char*>(text)); }

TEST(ShiftJisText, DecodesWhatTheCompilerEncoded) {
    struct {
        const char* bytes;
        const char8_t* expected;
    } cases[] = {
        {"OK", u8"OK"},
        {"ｽｸﾘｰﾝｾｰﾊﾞｰ", u8"ｽｸﾘｰﾝｾｰﾊﾞｰ"},
        // Second bytes of 0x5C, which a byte-wise path treatment would take for a backslash.
        {"表示ソ能", u8"表示ソ能"},
        {"C:\\mepu\\", u8"C:\\mepu\\"},
        {"①～", u8"①～"},
        {"", u8""},
    };
    for (const auto& c : cases) EXPECT_EQ(sjis_to_qstring(c.bytes), utf8(c.expected)) << c.bytes;
}

TEST(ShiftJisText, BadBytesCostOneReplacementEachAndNotTheRest) {
    struct {
        std::string bytes;
        const char8_t* expected;
    } cases[] = {
        {"a\x81", u8"a\uFFFD"},         // a lead byte at the end
        {"a\x81\x20z", u8"a\uFFFD z"},  // a lead byte before a space
        {"\xA0"
         "b",
         u8"\uFFFDb"},  // not a Shift-JIS byte at all
        {"\x82\xA0\xFF表", u8"あ\uFFFD表"},
    };
    for (const auto& c : cases) EXPECT_EQ(sjis_to_qstring(c.bytes), utf8(c.expected));
    EXPECT_EQ(sjis_to_qstring("abc", 2), QStringLiteral("ab"));
    EXPECT_EQ(sjis_to_qstring(nullptr), QString());
}

TEST(ShiftJisText, EncodesOnlyWhatItCanEncodeWhole) {
    EXPECT_EQ(qstring_to_sjis(utf8(u8"ﾊﾟｽﾜｰﾄﾞ表")), std::string("ﾊﾟｽﾜｰﾄﾞ表"));
    EXPECT_EQ(qstring_to_sjis(QString()), std::string());
    // Characters without a Shift-JIS form refuse the whole text instead of vanishing from it.
    for (const char8_t* text : {u8"aéb", u8"é", u8"😀", u8"한"}) {
        EXPECT_FALSE(qstring_to_sjis(utf8(text)).has_value())
            << reinterpret_cast<const char*>(text);
    }
}

TEST(ShiftJisText, LengthCountsBytes) {
    struct {
        const char8_t* text;
        qsizetype bytes;
    } cases[] = {
        {u8"", 0},    {u8"abc", 3}, {u8"ｱｲｳ", 3}, {u8"アイウ", 6},
        {u8"a表", 3}, {u8"aé", 3},  {u8"😀", 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sjis_length(utf8(c.text)), c.bytes) << reinterpret_cast<const char*>(c.text);
    }
}

}  // namespace
