#include "db/ChangeLog.h"

#include "core/Clock.h"
#include "db/ChangeLogRun.h"
#include "db/Fields.h"
#include "db/Schema.h"
#include "db/Tables.h"
#include "db/Transaction.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringBuilder>

namespace db {
namespace {

using namespace changelog;

QString literal(const QString &text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') % escaped % QLatin1Char('\'');
}

QString logInsert()
{
    return QStringLiteral("INSERT INTO ") % quoted(tables::changeLog) % QStringLiteral(" (") %
           QStringList{quoted(log::changeSet), quoted(log::table), quoted(log::record),
                       quoted(log::field),     quoted(log::kind),  quoted(log::before),
                       quoted(log::after)}
               .join(QStringLiteral(", ")) %
           QStringLiteral(") SELECT id, ");
}

// A table that is logged, with its columns as the file has them (a file may hold more than
// this program made), but for the one that is the row id under another name.
struct LoggedTable
{
    QString schema;
    QString name;
    QStringList columns;
};

// The tables whose rows the user edits, as the connection has them; the program's own
// preferences and the report file's scratch tables are not among them.
bool loggedTables(const QSqlDatabase &db, QList<LoggedTable> *logged, QString *error)
{
    Run run(db);
    if (!run(QStringLiteral("SELECT name FROM pragma_table_list WHERE schema = 'main' OR "
                            "(schema = 'report' AND name = ?)"),
             {tables::sales})) {
        *error = run.error;
        return false;
    }
    QStringList present;
    while (run.q.next())
        present << run.q.value(0).toString().toLower();
    if (!present.contains(tables::changeSets) || !present.contains(tables::changeLog))
        return true;
    for (const Table &table : kennelSchema().tables) {
        if (table.name != tables::preferences && table.name != tables::changeSets &&
            table.name != tables::changeLog && present.contains(table.name.toLower()))
            *logged << LoggedTable{QStringLiteral("main"), table.name, {}};
    }
    if (present.contains(tables::sales))
        *logged << LoggedTable{QStringLiteral("report"), tables::sales, {}};
    for (LoggedTable &table : *logged) {
        if (!run(QStringLiteral("SELECT name, type, pk, (SELECT count(*) FROM "
                                "pragma_table_info(?, ?) WHERE pk > 0) FROM "
                                "pragma_table_info(?, ?) ORDER BY cid"),
                 {table.name, table.schema, table.name, table.schema})) {
            *error = run.error;
            return false;
        }
        while (run.q.next()) {
            const bool rowidAlias = run.q.value(2).toInt() == 1 && run.q.value(3).toInt() == 1 &&
                                    run.q.value(1).toString().compare(QLatin1String("INTEGER"),
                                                                      Qt::CaseInsensitive) == 0;
            if (!rowidAlias)
                table.columns << run.q.value(0).toString();
        }
    }
    return true;
}

QString triggerFor(const LoggedTable &table, const QString &event)
{
    const QString row =
        event == QLatin1String("DELETE") ? QStringLiteral("old") : QStringLiteral("new");
    const QString from = QStringLiteral(" FROM temp.") % openChange;
    QString body;
    if (event != QLatin1String("UPDATE"))
        body += logInsert() % literal(table.name) % QStringLiteral(", ") % row %
                QStringLiteral(".rowid, NULL, ") %
                literal(event == QLatin1String("DELETE") ? removeKind : addKind) %
                QStringLiteral(", NULL, NULL") % from % QStringLiteral(";\n");
    for (const QString &column : table.columns) {
        const QString c = quoted(column);
        const QString common = logInsert() % literal(table.name) % QStringLiteral(", ") % row %
                               QStringLiteral(".rowid, ") % literal(column) % QStringLiteral(", ");
        if (event == QLatin1String("UPDATE"))
            body += common % literal(editKind) % QStringLiteral(", old.") % c %
                    QStringLiteral(", new.") % c % from % QStringLiteral(" WHERE old.") % c %
                    QStringLiteral(" IS NOT new.") % c % QStringLiteral(";\n");
        else if (event == QLatin1String("DELETE"))
            // Every field, no value included, so that the row comes back as it was and not
            // with the file's defaults.
            body += common % literal(removeKind) % QStringLiteral(", old.") % c %
                    QStringLiteral(", NULL") % from % QStringLiteral(";\n");
        else
            body += common % literal(addKind) % QStringLiteral(", NULL, new.") % c % from %
                    QStringLiteral(" WHERE new.") % c % QStringLiteral(" IS NOT NULL;\n");
    }
    return QStringLiteral("CREATE TEMP TRIGGER IF NOT EXISTS ") %
           quoted(QStringLiteral("houndry_log_") % table.name % QLatin1Char('_') %
                  event.toLower()) %
           QStringLiteral(" AFTER ") % event % QStringLiteral(" ON ") % table.schema %
           QLatin1Char('.') % quoted(table.name) %
           QStringLiteral(" WHEN EXISTS (SELECT 1 FROM temp.") % openChange %
           QStringLiteral(")\nBEGIN\n") % body % QStringLiteral("END");
}

// Once per connection: the table that holds the open change, and the triggers that log.
// False, without an error, when the file keeps no log.
bool installLogging(const QSqlDatabase &db, QString *error)
{
    Run run(db);
    if (!run(QStringLiteral("SELECT 1 FROM temp.sqlite_master WHERE name = ?"), {openChange})) {
        *error = run.error;
        return false;
    }
    if (run.q.next())
        return true;
    QList<LoggedTable> logged;
    if (!loggedTables(db, &logged, error) || logged.isEmpty())
        return false;
    QStringList statements{QStringLiteral("CREATE TEMP TABLE ") % openChange %
                           QStringLiteral(" (id INTEGER)")};
    for (const LoggedTable &table : std::as_const(logged)) {
        for (const char *event : {"INSERT", "UPDATE", "DELETE"})
            statements << triggerFor(table, QString::fromLatin1(event));
    }
    for (const QString &statement : std::as_const(statements)) {
        if (!run(statement)) {
            *error = run.error;
            return false;
        }
    }
    return true;
}

} // namespace

LoggedChange::LoggedChange(QSqlDatabase db, const QString &what) : m_db(std::move(db))
{
    if (!installLogging(m_db, &m_problem))
        return;
    Run run(m_db);
    // A change opened within another is part of it.
    if (!run(QStringLiteral("SELECT 1 FROM temp.") % openChange)) {
        m_problem = run.error;
        return;
    }
    if (run.q.next())
        return;
    if (!run(QStringLiteral("INSERT INTO ") % quoted(tables::changeSets) % QStringLiteral(" (") %
                 quoted(sets::time) % QStringLiteral(", ") % quoted(sets::what) %
                 QStringLiteral(") VALUES (?, ?)"),
             {core::Clock::now().toString(Qt::ISODate), what})) {
        m_problem = run.error;
        return;
    }
    m_id = run.q.lastInsertId().toLongLong();
    if (!run(QStringLiteral("DELETE FROM temp.") % openChange) ||
        !run(QStringLiteral("INSERT INTO temp.") % openChange % QStringLiteral(" VALUES (?)"),
             {m_id}))
        m_problem = run.error;
}

LoggedChange::~LoggedChange()
{
    // Closed even when the transaction was undone, which undoes the open mark with it.
    if (m_id != 0)
        QSqlQuery(m_db).exec(QStringLiteral("DELETE FROM temp.") % openChange);
}

QString LoggedChange::noteAdded(const QString &table, qint64 rowId)
{
    if (m_id == 0)
        return m_problem;
    Run run(m_db);
    if (!run(logInsert() % QStringLiteral("?, ?, NULL, ?, NULL, NULL FROM temp.") % openChange,
             {table, rowId, addKind}))
        m_problem = run.error;
    return m_problem;
}

QString LoggedChange::finish()
{
    if (m_id == 0 || !m_problem.isEmpty())
        return m_problem;
    Run run(m_db);
    if (!run(QStringLiteral("DELETE FROM temp.") % openChange) ||
        !run(QStringLiteral("SELECT 1 FROM ") % quoted(tables::changeLog) %
                 QStringLiteral(" WHERE ") % quoted(log::changeSet) %
                 QStringLiteral(" = ? LIMIT 1"),
             {m_id}))
        return run.error;
    if (!run.q.next()) {
        if (!run(QStringLiteral("DELETE FROM ") % quoted(tables::changeSets) %
                     QStringLiteral(" WHERE ") % quoted(sets::id) % QStringLiteral(" = ?"),
                 {m_id}))
            return run.error;
        return {};
    }
    // Whole changes go, so that the oldest one kept can still be undone entirely.
    if (!run(QStringLiteral("SELECT ") % quoted(log::changeSet) % QStringLiteral(" FROM ") %
                 quoted(tables::changeLog) % QStringLiteral(" ORDER BY ") % quoted(log::id) %
                 QStringLiteral(" DESC LIMIT 1 OFFSET ?"),
             {keptChanges - 1}))
        return run.error;
    if (!run.q.next())
        return {};
    const qint64 oldestKept = run.q.value(0).toLongLong();
    if (!run(QStringLiteral("DELETE FROM ") % quoted(tables::changeLog) %
                 QStringLiteral(" WHERE ") % quoted(log::changeSet) % QStringLiteral(" < ?"),
             {oldestKept}) ||
        !run(QStringLiteral("DELETE FROM ") % quoted(tables::changeSets) %
                 QStringLiteral(" WHERE ") % quoted(sets::id) % QStringLiteral(" < ?"),
             {oldestKept}))
        return run.error;
    return {};
}

core::WriteResult<> LoggedChange::land(Transaction &transaction, const QString &problem)
{
    const QString failed = problem.isEmpty() ? finish() : problem;
    if (!failed.isEmpty()) {
        transaction.rollback();
        return core::failure(failed);
    }
    return transaction.commit();
}

QString LoggedChange::describeOpen(const QSqlDatabase &db, const QString &what)
{
    Run run(db);
    if (!run(QStringLiteral("SELECT 1 FROM temp.sqlite_master WHERE name = ?"), {openChange}))
        return run.error;
    if (!run.q.next())
        return {};
    if (!run(QStringLiteral("UPDATE ") % quoted(tables::changeSets) % QStringLiteral(" SET ") %
                 quoted(sets::what) % QStringLiteral(" = ? WHERE ") % quoted(sets::id) %
                 QStringLiteral(" IN (SELECT id FROM temp.") % openChange % QLatin1Char(')'),
             {what}))
        return run.error;
    return {};
}

core::WriteResult<qint64> runLogged(QSqlDatabase db, const QString &what, const QString &sql,
                                    const QVariantList &values)
{
    Transaction transaction(db);
    LoggedChange change(db, what);
    QSqlQuery q(db);
    q.prepare(sql);
    for (const QVariant &value : values)
        q.addBindValue(value);
    const bool ran = q.exec();
    const qint64 id = q.lastInsertId().toLongLong();
    if (const auto landed = change.land(transaction, ran ? QString() : q.lastError().text());
        !landed)
        return core::failure(landed.problem());
    return id;
}

} // namespace db
