#pragma once

#include <QSqlDatabase>
#include <QStringList>

namespace db {

enum class Blanks { Keep, Skip };

// The values of one column in stored order, as pick lists show them; rows with no value or
// empty text are left out when asked.
QStringList columnValues(const QSqlDatabase &db, const QString &table, const QString &column,
                         Blanks blanks = Blanks::Keep);

} // namespace db
