#pragma once

#include <QIcon>

namespace ui {

// The program's paw-print icon, drawn rather than shipped so that no image files are needed.
QIcon appIcon();

} // namespace ui
