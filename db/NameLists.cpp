#include "db/NameLists.h"

#include "db/Fields.h"
#include "db/QueryColumns.h"
#include "db/ReadFailure.h"
#include "db/TableCursor.h"
#include "db/Tables.h"

#include "db/Schema.h"

#include <QSqlQuery>
#include <QStringBuilder>

namespace db {

QStringList columnValues(const QSqlDatabase &db, const QString &table, const QString &column,
                         Blanks blanks)
{
    const QString where = blanks == Blanks::Skip ? QStringLiteral(" WHERE ") % quoted(column) %
                                                       QStringLiteral(" <> ''")
                                                 : QString();
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!execRead(q, QStringLiteral("SELECT ") % quoted(column) % QStringLiteral(" FROM ") %
                         quoted(table) % where % QStringLiteral(" ORDER BY rowid")))
        return {};
    QStringList values;
    const db::QueryColumns columns(q);
    while (q.next())
        values << columns.value(column).toString();
    readToEnd(q);
    return values;
}

QStringList columnValuesWhere(const QSqlDatabase &db, const QString &table, const QString &column,
                              const QString &whereColumn, const QString &equals)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT ") % quoted(column) % QStringLiteral(" FROM ") %
              quoted(table) % QStringLiteral(" WHERE ") % quoted(whereColumn) %
              QStringLiteral(" = ? ORDER BY rowid"));
    q.addBindValue(equals);
    if (!execRead(q))
        return {};
    QStringList values;
    const db::QueryColumns columns(q);
    while (q.next())
        values << columns.value(column).toString();
    readToEnd(q);
    return values;
}

QStringList breedNames(const QSqlDatabase &kennel)
{
    return columnValues(kennel, tables::breeds, fields::breeds::name);
}

qint64 rowCount(const QSqlDatabase &db, const QString &table)
{
    QSqlQuery q(db);
    if (!execRead(q, QStringLiteral("SELECT count(*) AS \"rows\" FROM ") % quoted(table)) ||
        !q.next())
        return 0;
    return q.value(QStringLiteral("rows")).toLongLong();
}

} // namespace db
