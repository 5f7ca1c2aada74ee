// Dialog-template geometry on Qt: positions and sizes given in dialog units, turned into pixels
// from the dialog font's average character width (x / 4) and height (y / 8).
#pragma once

#include <QFont>
#include <QRect>

class QWidget;

struct DialogUnits {
    double x = 2;
    double y = 2;
    QRect rect(int left, int top, int width, int height) const;
};

DialogUnits dialog_units(const QFont& font);
// The templates' font, "ＭＳ Ｐゴシック" at the given point size: here its Debian counterpart.
QFont dialog_font(int point_size);
// Places `widget` at a rectangle given in dialog units.
void place_in_dialog_units(QWidget* widget, const DialogUnits& units, int left, int top, int width,
                           int height);
