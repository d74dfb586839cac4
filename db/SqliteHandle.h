#pragma once

#include <functional>
#include <QSqlDatabase>

struct sqlite3;

namespace db {

// The SQLite connection beneath an open Qt connection, for what Qt Sql has no call for;
// null when the driver is not SQLite's.
sqlite3 *sqliteHandle(const QSqlDatabase &db);

// Asked now and then while a statement runs on a watched connection; true stops the
// statement, which then fails as interrupted.
using StopWhen = std::function<bool()>;
// Watches a connection with `stop`, or no longer when it is null; `stop` outlives the watch.
void stopWhen(sqlite3 *connection, const StopWhen *stop);

} // namespace db
