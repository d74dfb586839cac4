#pragma once

#include <QStringList>

namespace bench {

// Every screen of the main menu opened, "All Dogs" searched and sorted, and the first page
// of the long reports, with resident memory, through the main window as the user opens them.
// The reports run in processes of their own: this program's path and arguments.
void benchScreens(const QString &self, const QStringList &arguments);
// One report, as such a process does.
void benchOneReport(int item);

} // namespace bench
