#include "db/WriteCount.h"

#include "db/Schema.h"

#include <atomic>
#include <QSqlQuery>
#include <QStringBuilder>
#include <QVariant>

namespace db {
namespace {

bool run(QSqlQuery &q, const QString &sql, const QVariantList &values = {})
{
    q.prepare(sql);
    for (const QVariant &value : values)
        q.addBindValue(value);
    return q.exec();
}

bool countWrites(const QSqlDatabase &db, const QString &table)
{
    QSqlQuery q(db);
    // A connection opened anew counts from 0 again; its serial number tells it apart.
    static std::atomic<qint64> counters{0};
    if (!run(q, QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS houndry_writes "
                               "(tbl TEXT PRIMARY KEY, counter INTEGER, n INTEGER NOT NULL)")) ||
        !run(q, QStringLiteral("INSERT OR IGNORE INTO temp.houndry_writes VALUES (?, ?, 0)"),
             {table, ++counters}))
        return false;
    for (const char *event : {"INSERT", "UPDATE", "DELETE"}) {
        const QString name = QStringLiteral("houndry_") % table % QLatin1Char('_') %
                             QString::fromLatin1(event).toLower();
        QString literal = table;
        literal.replace(QLatin1Char('\''), QStringLiteral("''"));
        if (!run(q, QStringLiteral("CREATE TEMP TRIGGER IF NOT EXISTS ") % quoted(name) %
                        QStringLiteral(" AFTER ") % QLatin1String(event) %
                        QStringLiteral(" ON main.") % quoted(table) %
                        QStringLiteral(" BEGIN UPDATE houndry_writes SET n = n + 1 "
                                       "WHERE tbl = '") %
                        literal % QStringLiteral("'; END")))
            return false;
    }
    return true;
}

} // namespace

QString tableVersion(const QSqlDatabase &db, const QString &table)
{
    QSqlQuery q(db);
    const QString writesSql =
        QStringLiteral("SELECT counter, n FROM temp.houndry_writes WHERE tbl = ?");
    if (!run(q, writesSql, {table}) || !q.next()) {
        if (!countWrites(db, table) || !run(q, writesSql, {table}) || !q.next())
            return {};
    }
    const QString writes = q.value(QStringLiteral("counter")).toString() % QLatin1Char(':') %
                           q.value(QStringLiteral("n")).toString();
    if (!run(q, QStringLiteral("PRAGMA main.data_version")) || !q.next())
        return {};
    return writes % QLatin1Char(':') % q.value(QStringLiteral("data_version")).toString();
}

} // namespace db
