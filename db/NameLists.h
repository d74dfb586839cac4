#pragma once

#include <QSqlDatabase>
#include <QStringList>

namespace db {

enum class Blanks { Keep, Skip };

// The values of one column in stored order, as pick lists show them; rows with no value or
// empty text are left out when asked.
QStringList columnValues(const QSqlDatabase &db, const QString &table, const QString &column,
                         Blanks blanks = Blanks::Keep);

// The values of a column, in stored order, of the rows whose other column equals a text
// exactly (with case).
QStringList columnValuesWhere(const QSqlDatabase &db, const QString &table, const QString &column,
                              const QString &whereColumn, const QString &equals);

QStringList breedNames(const QSqlDatabase &kennel);

// The number of rows of a table.
qint64 rowCount(const QSqlDatabase &db, const QString &table);

} // namespace db
