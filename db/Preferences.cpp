#include "db/Preferences.h"

#include "db/Fields.h"
#include "db/SqlText.h"
#include "db/Tables.h"
#include "db/Transaction.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringBuilder>
#include <QVariant>

namespace db {

namespace field = fields::preferences;

QString preference(const QSqlDatabase &kennel, const QString &name)
{
    QSqlQuery q(kennel);
    q.prepare(selectFrom(tables::preferences, {field::value}) % QStringLiteral(" WHERE ") %
              quoted(field::name) % QStringLiteral(" = ? ORDER BY rowid LIMIT 1"));
    q.addBindValue(name);
    if (!q.exec() || !q.next())
        return {};
    return q.value(field::value).toString();
}

core::WriteResult<> setPreference(QSqlDatabase kennel, const QString &name, const QString &value)
{
    Transaction write(kennel);
    QSqlQuery q(kennel);
    q.prepare(QStringLiteral("DELETE FROM ") % quoted(tables::preferences) %
              QStringLiteral(" WHERE ") % quoted(field::name) % QStringLiteral(" = ?"));
    q.addBindValue(name);
    if (!q.exec())
        return core::failure(q.lastError().text());
    q.prepare(QStringLiteral("INSERT INTO ") % quoted(tables::preferences) % QStringLiteral(" (") %
              columnList({field::name, field::value}) % QStringLiteral(") VALUES (?, ?)"));
    q.addBindValue(name);
    q.addBindValue(value);
    if (!q.exec())
        return core::failure(q.lastError().text());
    return write.commit();
}

} // namespace db
