#include "res/AppIcon.h"

#include "res/AppIconDrawing.h"

#include <QPixmap>

QIcon LoadAppIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(QPixmap::fromImage(DrawAppIcon(size)));
    return icon;
}
