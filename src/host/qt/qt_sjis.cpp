#include "host/qt/qt_sjis.h"

#include <QStringDecoder>

#include <cstring>

QString sjis_to_qstring(const char* bytes, int length)
{
    if (bytes == nullptr) return {};
    if (length < 0) length = static_cast<int>(std::strlen(bytes));
    // A decoder keeps state between calls, so each string gets a fresh one.
    QStringDecoder decoder("Shift_JIS");
    return decoder.decode(QByteArrayView(bytes, length));
}
