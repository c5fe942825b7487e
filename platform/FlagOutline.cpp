#include "platform/FlagOutline.h"

#include <QPainter>
#include <QPalette>

void DrawFlagOutline(QPainter& painter, const QRect& picture, const QPalette& palette)
{
    if (picture.isEmpty())
        return;
    // Four bands filled, not a stroke: they cover the edge pixels exactly at any scale.
    const QColor colour = palette.color(QPalette::Mid);
    const int x = picture.x(), y = picture.y(), cx = picture.width(), cy = picture.height();
    painter.fillRect(QRect(x, y, cx, 1), colour);
    painter.fillRect(QRect(x, y + cy - 1, cx, 1), colour);
    painter.fillRect(QRect(x, y, 1, cy), colour);
    painter.fillRect(QRect(x + cx - 1, y, 1, cy), colour);
}

QPixmap OutlinedFlag(QPixmap picture, const QPalette& palette)
{
    if (picture.isNull())
        return picture;
    QPainter painter(&picture);
    DrawFlagOutline(painter, QRect(QPoint(), picture.deviceIndependentSize().toSize()), palette);
    return picture;
}
