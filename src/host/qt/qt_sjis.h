// Shift-JIS byte strings to Qt text, at the point of display only.
#pragma once

#include <QString>

QString sjis_to_qstring(const char* bytes, int length = -1);
