#pragma once

#include <optional>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <vector>

namespace db {

// A mark that changes whenever a table may have changed: this connection's writes to it are
// counted by temporary triggers, which live with the connection and never touch the file,
// and commits by anyone else show in the file's data version. Empty when it cannot tell,
// which callers take as "changed". With columns, only updates of those columns count (rows
// added and removed always do).
QString tableVersion(const QSqlDatabase &db, const QString &table, const QStringList &columns = {});

// The row numbers, ascending, of the rows written on this connection since a mark of
// `tableVersion` with the same columns: rows added, changed or removed since. Nothing when it
// cannot tell (another connection committed, the mark is of an earlier connection, or more
// than `most` rows changed), and the caller reads the table whole.
std::optional<std::vector<qint64>> rowsWrittenSince(const QSqlDatabase &db, const QString &table,
                                                    const QString &version,
                                                    const QStringList &columns = {},
                                                    qsizetype most = 10000);

} // namespace db
