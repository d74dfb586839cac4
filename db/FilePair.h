#pragma once

#include "core/WriteResult.h"

#include <QString>

namespace db {

// Puts a new pair of database files in place of the kennel's two, in the working folder,
// so that a crash at any moment leaves the old pair or the new pair, never one of each: the
// new files are written beside the old ones, a marker file makes the change certain, and
// only then are the new files renamed over the old. Both files must be closed.
core::WriteResult<> replaceBothFiles(const QString &newKennel, const QString &newReport);

// Flushes a file, or a folder's entries, to the disk itself; false when it cannot be.
bool syncToDisk(const QString &path, bool directory = false);

// Completes a replacement that a crash interrupted once its marker was written, or drops
// its half-written new files when it was not; run before the files are opened.
void finishReplacingFiles();

} // namespace db
