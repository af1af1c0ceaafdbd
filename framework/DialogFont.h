#pragma once

#include <QFont>
#include <QRect>

#include <string>

// Dialog fonts and dialog units. The template fonts of the original platform are not installed on
// Linux; each is mapped to an installed font that has the Chinese glyphs, and the dialog units are
// converted with the base units of the font actually used.

struct BaseUnits
{
    int cx = 0; // average width of the 52 Latin letters
    int cy = 0; // character height
};

QFont DialogFont(const std::u16string& faceName, int pointSize);

BaseUnits BaseUnitsOf(const QFont& font);

// The platform's MulDiv: a * b / c in 64 bits, rounded to the nearest, halves away from zero.
int MulDiv(int a, int b, int c);

// x * baseX / 4 and y * baseY / 8.
QRect DialogUnitsToPixels(int x, int y, int cx, int cy, const BaseUnits& base);
