#pragma once

#include <QIcon>
#include <QImage>

namespace ui {

// The program's paw-print icon, drawn rather than shipped so that no image files are needed.
QIcon appIcon();
// The paw at one size, for the icons an installation puts beside the program.
QImage appIconImage(int size);

} // namespace ui
