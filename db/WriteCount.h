#pragma once

#include <QSqlDatabase>
#include <QString>

namespace db {

// A mark that changes whenever a table may have changed: this connection's writes to it are
// counted by temporary triggers, which live with the connection and never touch the file,
// and commits by anyone else show in the file's data version. Empty when it cannot tell,
// which callers take as "changed".
QString tableVersion(const QSqlDatabase &db, const QString &table);

} // namespace db
