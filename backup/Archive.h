#pragma once

#include "core/WriteResult.h"

#include <functional>

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace backup {

struct ArchiveEntry
{
    QString name;
    QString file;     // read from this file, or
    QByteArray bytes; // these bytes when `file` is empty
    // Photos are packed already: deflating them again costs time and saves nothing.
    bool deflate = true;
};

// Writes a zip archive at `path`: under a temporary name beside it, flushed to disk, readable
// by the user only, and only then renamed, so that `path` is whole or absent. Answers its
// size in bytes.
core::WriteResult<qint64> writeArchive(const QString &path, const QList<ArchiveEntry> &entries);

// Removes what archives written here and cut short left in a folder (a kill, a power cut):
// the temporary files of their own naming, once an hour old, so that a backup still being
// written by another program is left alone. Answers how many went.
int removePartialArchives(const QString &folder, const QDateTime &now);

// Unpacks every entry of a zip archive into the folder `into`, its names in `names`; the
// problem, or empty. Entries with folders in their names are refused, but for files directly
// in the photos folder. `stop`, asked between
// pieces, may cut it short.
QString unpackArchive(const QString &path, const QString &into, QStringList *names,
                      const std::function<bool()> &stop = {});

} // namespace backup
