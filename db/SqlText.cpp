#include "db/SqlText.h"
#include "db/Fields.h"

#include <QStringBuilder>

namespace db {

QString columnList(const QStringList &columns)
{
    QStringList quotedColumns;
    // Where a table has an INTEGER PRIMARY KEY, SQLite names a bare rowid after that column.
    for (const QString &column : columns)
        quotedColumns << (column == fields::rowid ? QStringLiteral("rowid AS \"rowid\"")
                                                  : quoted(column));
    return quotedColumns.join(QStringLiteral(", "));
}

QString selectFrom(const QString &table, const QStringList &columns)
{
    return QStringLiteral("SELECT ") % columnList(columns) % QStringLiteral(" FROM ") %
           quoted(table);
}

QString insertInto(const QString &table, const QStringList &columns)
{
    return QStringLiteral("INSERT INTO ") % quoted(table) % QStringLiteral(" (") %
           columnList(columns) % QStringLiteral(") VALUES (") %
           QStringList(columns.size(), QStringLiteral("?")).join(QStringLiteral(", ")) %
           QLatin1Char(')');
}

QString updateWhere(const QString &table, const QStringList &columns, const QString &id)
{
    QStringList sets;
    for (const QString &column : columns)
        sets << quoted(column) + QStringLiteral(" = ?");
    return QStringLiteral("UPDATE ") % quoted(table) % QStringLiteral(" SET ") %
           sets.join(QStringLiteral(", ")) % QStringLiteral(" WHERE ") % quoted(id) %
           QStringLiteral(" = ?");
}

} // namespace db
