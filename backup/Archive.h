#pragma once

#include "core/WriteResult.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace backup {

struct ArchiveEntry
{
    QString name;
    QString file;     // read from this file, or
    QByteArray bytes; // these bytes when `file` is empty
};

// Writes a zip archive at `path`: under a temporary name beside it, flushed to disk, readable
// by the user only, and only then renamed, so that `path` is whole or absent. Answers its
// size in bytes.
core::WriteResult<qint64> writeArchive(const QString &path, const QList<ArchiveEntry> &entries);

// Unpacks every entry of a zip archive into the folder `into`, its names in `names`; the
// problem, or empty. Entries with folders in their names are refused.
QString unpackArchive(const QString &path, const QString &into, QStringList *names);

} // namespace backup
