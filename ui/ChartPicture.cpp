#include "ui/ChartPicture.h"

#include <QChart>
#include <QGraphicsScene>
#include <QPainter>

namespace ui {

QImage chartPicture(QChart *chart, const QSize &size)
{
    // Drawn at twice the resolution, so that print is sharp with text at its usual size.
    constexpr int sharper = 2;
    QGraphicsScene scene;
    scene.addItem(chart);
    chart->resize(size);
    QImage picture(size * sharper, QImage::Format_RGB32);
    picture.setDevicePixelRatio(sharper);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, QRectF(QPointF(), size), QRectF(QPointF(), size));
    painter.end();
    scene.removeItem(chart);
    return picture;
}

} // namespace ui
