// Shift-JIS (code page 932) byte strings and Qt text: decoded only where they are shown, encoded
// where a user's typing is stored.
#pragma once

#include <QString>

#include <optional>
#include <string>

// Bytes that are not Shift-JIS show as U+FFFD. A negative length means up to the terminator.
QString sjis_to_qstring(const char* bytes, int length = -1);
QString sjis_to_qstring(const std::string& bytes);

// The Shift-JIS form of `text`, or nothing when a character of it has none: a text is never
// changed silently on its way to the bytes.
std::optional<std::string> qstring_to_sjis(const QString& text);

// How many bytes `text` takes in Shift-JIS; a character without a Shift-JIS form counts as two.
qsizetype sjis_length(const QString& text);
