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

} // namespace db
