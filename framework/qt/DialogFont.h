#pragma once

#include "framework/DialogUnits.h"

#include <QFont>
#include <QRect>

#include <string>

// Dialog fonts. The template fonts of the original platform are not installed on Linux; each is mapped
// to an installed font that has the Chinese glyphs, and the dialog units are converted with the base
// units of the font actually used.

QFont DialogFont(const std::u16string& faceName, int pointSize);

BaseUnits BaseUnitsOf(const QFont& font);

inline QRect ToQRect(const CRect& rect)
{
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}
