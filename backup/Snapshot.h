#pragma once

#include "core/WriteResult.h"
#include "db/SqliteHandle.h"

#include <QMap>
#include <QString>
#include <QStringList>

namespace backup {

// Copies the kennel's two files, as they both stood at one moment, into the folder `into`
// under their own names. Runs on a connection of its own (any thread), through SQLite's
// online backup inside one read transaction over both files: a sale, which writes both in
// one transaction, is in both copies or in neither.
core::WriteResult<> snapshot(const QString &dataFolder, const QString &into);

// Every table of a database file with its number of rows.
QMap<QString, qint64> rowCounts(const QString &file, const db::StopWhen *stop = nullptr);
// What `PRAGMA integrity_check` finds wrong with a file, or empty when it is sound; `stop`
// may cut it short, which is then the problem.
QString integrityProblem(const QString &file, const db::StopWhen *stop = nullptr);

} // namespace backup
