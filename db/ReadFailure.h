#pragma once

#include <QString>

class QSqlQuery;

namespace db {

// Tells the user that a read failed, so that an empty or short list is never taken for the
// kennel's answer. The same problem is said once, not again for every list that meets it.
void tellReadFailed(const QString &problem);

// Runs a read (the prepared query, or `sql`); false, once the user has been told, when it
// fails.
bool execRead(QSqlQuery &query, const QString &sql = {});
// After its rows were stepped through: false, once the user has been told, when the rows
// stopped early on a failure.
bool readToEnd(const QSqlQuery &query);

} // namespace db
