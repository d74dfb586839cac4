#pragma once

#include <QByteArray>
#include <QString>

class QWidget;

namespace ui {

// Asks where to save a CSV file (in the home folder as `suggestedName` at first) and writes it
// whole or not at all; tells the user when `what` (such as "The weights") could not be written.
void saveCsv(QWidget *parent, const QString &suggestedName, const QByteArray &csv,
             const QString &what);

} // namespace ui
