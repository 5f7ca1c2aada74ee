// The saver's Shift-JIS texts as Qt shows them.
#pragma once

#include <QString>

#include <string>

QString from_shift_jis(const char* text);
QString from_shift_jis(const std::string& text);
std::string to_shift_jis(const QString& text);
