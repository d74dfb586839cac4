#pragma once

#include "backup/Backups.h"

#include <QString>

class QWidget;

namespace app {

// Checks an archive for restoring on a thread of its own, while a dialog says what the
// check is doing and offers Cancel; the screens wait, the window still paints.
backup::CheckedArchive checkWithProgress(QWidget *parent, const QString &archive,
                                         const QString &dataFolder);

// When the kennel cannot be used (`problem`), at start-up or when a check finds it damaged
// later: offers to restore the newest backup in the kennel's backups folder that can be,
// keeping the files as they are in the backups folder first. True when the kennel was
// restored and opens; otherwise the user has been told why not.
bool offerNewestBackup(const QString &dataFolder, const QString &problem);

} // namespace app
