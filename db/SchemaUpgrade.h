#pragma once

#include "db/FileKind.h"
#include "db/Schema.h"

#include <QSqlDatabase>
#include <QString>

namespace db {

const Schema &schemaOf(File file);

// The layout of each file that this program reads and writes, kept in the file as
// PRAGMA user_version. A file at 0 was made before versions were kept, or is empty.
int currentVersion(File file);
int storedVersion(const QSqlDatabase &db);

// The kennel's preference that names the program that last brought its layout up to date,
// so that an older program can say which one wrote it.
inline QString writtenByPreference()
{
    return QStringLiteral("layout written by");
}

// Brings an older file up to the current version: each step from its version on runs once,
// then what the layout lacks (a table dropped by hand) is made again, all in one transaction
// that also records the new version, so that the file is at its old version or the new one,
// never between. The problem, or empty.
QString upgrade(QSqlDatabase &db, File file);

} // namespace db
