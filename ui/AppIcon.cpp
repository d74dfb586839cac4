#include "ui/AppIcon.h"

#include <QPainter>
#include <QPixmap>

namespace ui {

QIcon appIcon()
{
    QIcon icon;
    for (int size : {16, 32, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 64.0, size / 64.0);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x7a, 0x4a, 0x2a));
        painter.drawEllipse(QRectF(16, 30, 32, 28));
        for (const QPointF &toe :
             {QPointF(10, 24), QPointF(22, 10), QPointF(42, 10), QPointF(54, 24)})
            painter.drawEllipse(toe, 7, 9);
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace ui
