#include "ui/AppIcon.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace ui {

QImage appIconImage(int size)
{
    // The same paw as packaging/org.pawmark.houndry.svg, on a grid of 64.
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x7a, 0x4a, 0x2a));
    painter.drawEllipse(QRectF(16, 30, 32, 28));
    for (const QPointF &toe : {QPointF(10, 24), QPointF(22, 10), QPointF(42, 10), QPointF(54, 24)})
        painter.drawEllipse(toe, 7, 9);
    return image;
}

QIcon appIcon()
{
    QIcon icon;
    for (int size : {16, 32, 64})
        icon.addPixmap(QPixmap::fromImage(appIconImage(size)));
    return icon;
}

} // namespace ui
