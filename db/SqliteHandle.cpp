#include "db/SqliteHandle.h"

#include <QSqlDriver>
#include <QVariant>
#include <sqlite3.h>

namespace db {

sqlite3 *sqliteHandle(const QSqlDatabase &db)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    return handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0
               ? *static_cast<sqlite3 *const *>(handle.data())
               : nullptr;
}

void stopWhen(sqlite3 *connection, const StopWhen *stop)
{
    if (!connection)
        return;
    // A few thousand steps of SQLite's machine take well under a millisecond.
    constexpr int steps = 4000;
    if (!stop) {
        sqlite3_progress_handler(connection, 0, nullptr, nullptr);
        return;
    }
    sqlite3_progress_handler(
        connection, steps,
        [](void *asked) { return (*static_cast<const StopWhen *>(asked))() ? 1 : 0; },
        const_cast<StopWhen *>(stop));
}

} // namespace db
