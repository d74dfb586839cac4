#include "db/SingleRows.h"

#include "db/Schema.h"
#include "db/SqlRows.h"
#include "db/Tables.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringBuilder>

namespace db {

QVariantMap setupRow(const QSqlDatabase &kennel)
{
    const core::DataSet rows = queryRows(kennel, QStringLiteral("SELECT * FROM ") % tables::setup %
                                                     QStringLiteral(" ORDER BY rowid LIMIT 1"));
    return rows.isEmpty() ? QVariantMap() : rows.first().values;
}

core::WriteResult<> writeSingleRow(const QSqlDatabase &db, const QString &schema,
                                   const QString &table, const RowValues &row)
{
    const QString target = quoted(schema) % QLatin1Char('.') % quoted(table);
    QSqlQuery first(db);
    if (!first.exec(QStringLiteral("SELECT min(rowid) AS \"first\" FROM ") % target))
        return core::failure(first.lastError().text());
    const QVariant rowid = first.next() ? first.value(QStringLiteral("first")) : QVariant();
    first.finish();
    QStringList columns;
    for (const QString &c : row.columns)
        columns << quoted(c);
    QSqlQuery q(db);
    QVariantList values = row.values;
    if (rowid.isNull()) {
        q.prepare(QStringLiteral("INSERT INTO ") % target % QStringLiteral(" (") %
                  columns.join(QLatin1Char(',')) % QStringLiteral(") VALUES (") %
                  QStringList(columns.size(), QStringLiteral("?")).join(QLatin1Char(',')) %
                  QLatin1Char(')'));
    } else {
        q.prepare(QStringLiteral("UPDATE ") % target % QStringLiteral(" SET ") %
                  columns.join(QStringLiteral(" = ?, ")) % QStringLiteral(" = ? WHERE rowid = ?"));
        values << rowid;
    }
    for (const QVariant &v : std::as_const(values))
        q.addBindValue(v);
    if (!q.exec())
        return core::failure(q.lastError().text());
    return {};
}

} // namespace db
