#include "res/AppIconDrawing.h"

#include <QPainter>

QImage DrawAppIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);

    // The sheet: a rounded teal square with three script lines.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1f, 0x7a, 0x8c));
    painter.drawRoundedRect(QRectF(4, 4, 56, 56), 10, 10);
    painter.setBrush(QColor(0xe8, 0xf4, 0xf6));
    for (int i = 0; i < 3; ++i)
        painter.drawRoundedRect(QRectF(12, 12 + i * 9, 30 - i * 6, 4), 2, 2);

    // The padlock: shackle and body in amber.
    QPen shackle(QColor(0xf2, 0xb1, 0x34), 5);
    painter.setPen(shackle);
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(33, 28, 18, 20), 0, 180 * 16);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xf2, 0xb1, 0x34));
    painter.drawRoundedRect(QRectF(29, 38, 26, 20), 4, 4);
    painter.setBrush(QColor(0x1f, 0x7a, 0x8c));
    painter.drawEllipse(QRectF(39, 43, 6, 6));
    painter.drawRect(QRectF(41, 47, 2, 6));
    return image;
}
