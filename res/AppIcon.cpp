#include "res/AppIcon.h"

#include "framework/qt/QtWindow.h"
#include "res/AppIconDrawing.h"

#include <QPixmap>

IconHandle LoadAppIcon()
{
    auto icon = std::make_shared<tagIcon>();
    for (int size : {16, 24, 32, 48, 64, 128})
        icon->icon.addPixmap(QPixmap::fromImage(DrawAppIcon(size)));
    return icon;
}
