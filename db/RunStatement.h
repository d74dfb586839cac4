#pragma once

#include "db/Schema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

namespace db {

// Runs a statement with its values bound in order; the error, or empty. With `count`, the
// first column of its first row is read into it (0 when there is none).
inline QString runStatement(const QSqlDatabase &kennel, const QString &sql,
                            const QVariantList &values, qint64 *count = nullptr)
{
    QSqlQuery q(kennel);
    q.prepare(sql);
    for (const QVariant &value : values)
        q.addBindValue(value);
    if (!q.exec())
        return q.lastError().text();
    if (count)
        *count = q.next() ? q.value(0).toLongLong() : 0;
    return {};
}

// The same for a statement without values, its error into `error`: for a run of statements
// that stops at the first that fails.
inline bool runInto(const QSqlDatabase &db, const QString &sql, QString *error)
{
    *error = runStatement(db, sql, {});
    return error->isEmpty();
}

// An id to link by, or no value for 0: new tables keep "nothing linked" as no value.
inline QVariant idOrNone(qint64 id)
{
    return id > 0 ? QVariant(id) : QVariant(QMetaType::fromType<qint64>());
}

// Links the rows of `table` whose `field` holds `from` to `to` instead (no value unlinks them).
// The problem, or empty.
inline QString relink(const QSqlDatabase &kennel, const QString &table, const QString &field,
                      const QVariant &from, const QVariant &to)
{
    return runStatement(kennel,
                        QStringLiteral("UPDATE ") + quoted(table) + QStringLiteral(" SET ") +
                            quoted(field) + QStringLiteral(" = ? WHERE ") + quoted(field) +
                            QStringLiteral(" = ?"),
                        {to, from});
}

} // namespace db
