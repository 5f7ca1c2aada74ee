#include "host/qt/qt_dialog_units.h"

#include <QFontMetricsF>
#include <QWidget>

#include <cmath>

QRect DialogUnits::rect(int left, int top, int width, int height) const {
    return QRect(static_cast<int>(std::lround(left * x)), static_cast<int>(std::lround(top * y)),
                 static_cast<int>(std::lround(width * x)),
                 static_cast<int>(std::lround(height * y)));
}

DialogUnits dialog_units(const QFont& font) {
    const QFontMetricsF metrics(font);
    return {metrics.averageCharWidth() / 4.0, metrics.height() / 8.0};
}

QFont dialog_font(int point_size) {
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPointSize(point_size);
    return font;
}

void place_in_dialog_units(QWidget* widget, const DialogUnits& units, int left, int top, int width,
                           int height) {
    widget->setGeometry(units.rect(left, top, width, height));
}
