#include "framework/qt/DialogFont.h"

#include "framework/qt/QtText.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

namespace {

// Fonts with Chinese glyphs, in order of preference; the first one installed is used.
const char* const kChineseFamilies[] = {"WenQuanYi Micro Hei", "Noto Sans CJK SC", "WenQuanYi Zen Hei",
                                        "Droid Sans Fallback"};

QString InstalledChineseFamily()
{
    const QStringList installed = QFontDatabase::families();
    for (const char* family : kChineseFamilies) {
        if (installed.contains(QString::fromLatin1(family)))
            return QString::fromLatin1(family);
    }
    return QString();
}

// Pixel heights chosen so that the stand-in has the base units of the original at 96 dpi:
// the page font 6 x 12-13, the main window's shell font 7 x 15, so that a page's controls fit the
// main window's tab as they did there.
int PixelSizeFor(const std::u16string& faceName, int pointSize)
{
    int pixels = MulDiv(pointSize, 96, 72);
    if (faceName == u"宋体")
        return pixels - 1;
    if (faceName == u"MS Shell Dlg")
        return pixels + 1;
    return pixels;
}

} // namespace

QFont DialogFont(const std::u16string& faceName, int pointSize)
{
    QString family = InstalledChineseFamily();
    QFont font(family.isEmpty() ? ToQString(faceName) : family);
    font.setPixelSize(PixelSizeFor(faceName, pointSize));
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

BaseUnits BaseUnitsOf(const QFont& font)
{
    QFontMetrics metrics(font);
    int width =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return BaseUnits{(width / 26 + 1) / 2, metrics.height()};
}
