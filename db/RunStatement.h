#pragma once

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

} // namespace db
