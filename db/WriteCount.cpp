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

// What the counters of a table, or of some of its columns, are kept under.
QString keyOf(const QString &table, const QStringList &columns)
{
    return columns.isEmpty()
               ? table
               : table % QLatin1Char('(') % columns.join(QLatin1Char(',')) % QLatin1Char(')');
}

QString literal(QString text)
{
    return QLatin1Char('\'') % text.replace(QLatin1Char('\''), QStringLiteral("''")) %
           QLatin1Char('\'');
}

// Each write adds one to the table's count and notes the rows it touched with the count it
// reached, so that a reader can ask which rows changed since the count it last saw.
bool countWrites(const QSqlDatabase &db, const QString &table, const QStringList &columns)
{
    QSqlQuery q(db);
    // A connection opened anew counts from 0 again; its serial number tells it apart.
    static std::atomic<qint64> counters{0};
    const QString key = keyOf(table, columns);
    if (!run(q, QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS houndry_writes "
                               "(tbl TEXT PRIMARY KEY, counter INTEGER, n INTEGER NOT NULL, "
                               "trimmed INTEGER NOT NULL DEFAULT 0)")) ||
        !run(q, QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS houndry_written "
                               "(tbl TEXT, row INTEGER, n INTEGER NOT NULL, "
                               "PRIMARY KEY (tbl, row)) WITHOUT ROWID")) ||
        !run(q,
             QStringLiteral("INSERT OR IGNORE INTO temp.houndry_writes (tbl, counter, n) "
                            "VALUES (?, ?, 0)"),
             {key, ++counters}))
        return false;
    QStringList quotedColumns;
    for (const QString &column : columns)
        quotedColumns << quoted(column);
    const QString keyText = literal(key);
    auto noted = [&](const char *row) -> QString {
        return QStringLiteral("INSERT OR REPLACE INTO houndry_written VALUES (") % keyText %
               QStringLiteral(", ") % QLatin1String(row) %
               QStringLiteral(".rowid, (SELECT n FROM houndry_writes WHERE tbl = ") % keyText %
               QStringLiteral(")); ");
    };
    const struct
    {
        const char *event;
        QString rows;
    } events[] = {{"INSERT", noted("NEW")},
                  {"UPDATE", QString(noted("OLD") % noted("NEW"))},
                  {"DELETE", noted("OLD")}};
    for (const auto &[event, rows] : events) {
        const QString name = QStringLiteral("houndry_") % key % QLatin1Char('_') %
                             QString::fromLatin1(event).toLower();
        const QString of =
            QLatin1String(event) == QLatin1String("UPDATE") && !columns.isEmpty()
                ? QString(QStringLiteral(" OF ") % quotedColumns.join(QStringLiteral(", ")))
                : QString();
        if (!run(q, QStringLiteral("CREATE TEMP TRIGGER IF NOT EXISTS ") % quoted(name) %
                        QStringLiteral(" AFTER ") % QLatin1String(event) % of %
                        QStringLiteral(" ON main.") % quoted(table) %
                        QStringLiteral(" BEGIN UPDATE houndry_writes SET n = n + 1 WHERE tbl = ") %
                        keyText % QStringLiteral("; ") % rows % QStringLiteral("END")))
            return false;
    }
    return true;
}

struct Mark
{
    QString counter;
    qint64 writes = -1;
    QString dataVersion;

    static Mark of(const QString &version)
    {
        const QStringList parts = version.split(QLatin1Char(':'));
        if (parts.size() != 3)
            return {};
        bool number = false;
        const qint64 writes = parts.at(1).toLongLong(&number);
        return number ? Mark{parts.at(0), writes, parts.at(2)} : Mark{};
    }
};

} // namespace

QString tableVersion(const QSqlDatabase &db, const QString &table, const QStringList &columns)
{
    QSqlQuery q(db);
    const QString key = keyOf(table, columns);
    const QString writesSql =
        QStringLiteral("SELECT counter, n FROM temp.houndry_writes WHERE tbl = ?");
    if (!run(q, writesSql, {key}) || !q.next()) {
        if (!countWrites(db, table, columns) || !run(q, writesSql, {key}) || !q.next())
            return {};
    }
    const QString writes = q.value(QStringLiteral("counter")).toString() % QLatin1Char(':') %
                           q.value(QStringLiteral("n")).toString();
    if (!run(q, QStringLiteral("PRAGMA main.data_version")) || !q.next())
        return {};
    return writes % QLatin1Char(':') % q.value(QStringLiteral("data_version")).toString();
}

std::optional<std::vector<qint64>> rowsWrittenSince(const QSqlDatabase &db, const QString &table,
                                                    const QString &version,
                                                    const QStringList &columns, qsizetype most)
{
    const Mark then = Mark::of(version);
    const Mark now = Mark::of(tableVersion(db, table, columns));
    if (then.writes < 0 || now.writes < then.writes || then.counter != now.counter ||
        then.dataVersion != now.dataVersion)
        return std::nullopt;
    const QString key = keyOf(table, columns);
    QSqlQuery q(db);
    if (!run(q, QStringLiteral("SELECT trimmed FROM temp.houndry_writes WHERE tbl = ?"), {key}) ||
        !q.next() || q.value(0).toLongLong() > then.writes)
        return std::nullopt;
    if (!run(q,
             QStringLiteral("SELECT row FROM temp.houndry_written WHERE tbl = ? AND n > ? "
                            "ORDER BY row LIMIT ?"),
             {key, then.writes, most + 1}))
        return std::nullopt;
    std::vector<qint64> rows;
    while (q.next())
        rows.push_back(q.value(0).toLongLong());
    if (qsizetype(rows.size()) <= most)
        return rows;
    // Whoever asks after so large a change reads the table whole, and so will anyone after:
    // the notes of it need not be kept.
    q.finish();
    run(q, QStringLiteral("DELETE FROM temp.houndry_written WHERE tbl = ?"), {key});
    run(q, QStringLiteral("UPDATE temp.houndry_writes SET trimmed = n WHERE tbl = ?"), {key});
    return std::nullopt;
}

} // namespace db
