#pragma once

#include <QSqlDatabase>

struct sqlite3;

namespace db {

// The SQLite connection beneath an open Qt connection, for what Qt Sql has no call for;
// null when the driver is not SQLite's.
sqlite3 *sqliteHandle(const QSqlDatabase &db);

} // namespace db
