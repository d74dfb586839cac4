#pragma once

#include <QImage>
#include <QSize>

class QChart;

namespace ui {

// The chart drawn as a picture for a report, at `size` in points and sharp enough to print.
QImage chartPicture(QChart *chart, const QSize &size);

} // namespace ui
