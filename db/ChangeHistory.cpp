#include "db/ChangeLog.h"

#include "db/ChangeLogRun.h"
#include "db/Transaction.h"

#include <QHash>

namespace db {
namespace {

using namespace changelog;

// The rows a change removed, field by field, until the row's own entry puts it back.
using RemovedRows = QHash<std::pair<QString, qint64>, QList<std::pair<QString, QVariant>>>;

// Undoes one entry of a change; false, with the reason, when the record is not as it left it.
bool reverse(Run &run, const FieldChange &entry, const QString &table, qint64 record,
             RemovedRows &removed, bool *stale)
{
    const QString where = QStringLiteral(" WHERE rowid = ?");
    if (entry.kind == editKind) {
        if (!run(QStringLiteral("UPDATE ") % quoted(table) % QStringLiteral(" SET ") %
                     quoted(entry.field) % QStringLiteral(" = ?") % where %
                     QStringLiteral(" AND ") % quoted(entry.field) % QStringLiteral(" IS ?"),
                 {entry.before, record, entry.after}))
            return false;
        *stale = run.q.numRowsAffected() != 1;
        return true;
    }
    if (entry.kind == addKind) {
        if (!entry.field.isEmpty())
            return true;
        if (!run(QStringLiteral("DELETE FROM ") % quoted(table) % where, {record}))
            return false;
        *stale = run.q.numRowsAffected() != 1;
        return true;
    }
    const std::pair key{table, record};
    if (!entry.field.isEmpty()) {
        removed[key] << std::pair{entry.field, entry.before};
        return true;
    }
    QStringList columns{QStringLiteral("rowid")};
    QStringList marks{QStringLiteral("?")};
    QVariantList values{record};
    for (const auto &[field, value] : removed.take(key)) {
        columns << quoted(field);
        marks << QStringLiteral("?");
        values << value;
    }
    if (!run(QStringLiteral("SELECT 1 FROM ") % quoted(table) % where, {record}))
        return false;
    if (run.q.next()) {
        *stale = true;
        return true;
    }
    return run(QStringLiteral("INSERT INTO ") % quoted(table) % QStringLiteral(" (") %
                   columns.join(QStringLiteral(", ")) % QStringLiteral(") VALUES (") %
                   marks.join(QStringLiteral(", ")) % QLatin1Char(')'),
               values);
}

} // namespace

ChangeSummary latestChange(const QSqlDatabase &db)
{
    Run run(db);
    if (!run(setsWhere(QStringLiteral(" ORDER BY ") % quoted(sets::id) %
                       QStringLiteral(" DESC LIMIT 1"))) ||
        !run.q.next())
        return {};
    return {run.q.value(0).toLongLong(), timeOf(run.q.value(1)), run.q.value(2).toString()};
}

core::WriteResult<QString> undoLatestChange(const QSqlDatabase &db)
{
    const ChangeSummary latest = latestChange(db);
    if (latest.id == 0)
        return core::failure(QStringLiteral("There is no change to undo."));
    Transaction transaction(db);
    Run read(db);
    if (!read(QStringLiteral("SELECT ") %
                  QStringList{quoted(log::table), quoted(log::record), quoted(log::field),
                              quoted(log::kind), quoted(log::before), quoted(log::after)}
                      .join(QStringLiteral(", ")) %
                  QStringLiteral(" FROM ") % quoted(tables::changeLog) % QStringLiteral(" WHERE ") %
                  quoted(log::changeSet) % QStringLiteral(" = ? ORDER BY ") % quoted(log::id) %
                  QStringLiteral(" DESC"),
              {latest.id}))
        return core::failure(read.error);
    Run write(db);
    RemovedRows removed;
    while (read.q.next()) {
        FieldChange entry{
            latest.time,     latest.what,    read.q.value(2).toString(), read.q.value(3).toString(),
            read.q.value(4), read.q.value(5)};
        bool stale = false;
        if (!reverse(write, entry, read.q.value(0).toString(), read.q.value(1).toLongLong(),
                     removed, &stale)) {
            transaction.rollback();
            return core::failure(write.error);
        }
        if (stale) {
            transaction.rollback();
            return core::failure(
                QStringLiteral("\u201c%1\u201d cannot be undone: a record it changed has been "
                               "changed again since by something that cannot be undone, such "
                               "as an import or another program.")
                    .arg(latest.what));
        }
    }
    if (!write(QStringLiteral("DELETE FROM ") % quoted(tables::changeLog) %
                   QStringLiteral(" WHERE ") % quoted(log::changeSet) % QStringLiteral(" = ?"),
               {latest.id}) ||
        !write(QStringLiteral("DELETE FROM ") % quoted(tables::changeSets) %
                   QStringLiteral(" WHERE ") % quoted(sets::id) % QStringLiteral(" = ?"),
               {latest.id})) {
        transaction.rollback();
        return core::failure(write.error);
    }
    if (const auto committed = transaction.commit(); !committed)
        return core::failure(committed.problem());
    return latest.what;
}

bool historyOf(const QSqlDatabase &db, const QString &table, qint64 rowId,
               QList<FieldChange> *changes, QString *error)
{
    Run run(db);
    const QString c = QStringLiteral("c.");
    if (!run(QStringLiteral("SELECT s.") % quoted(sets::time) % QStringLiteral(", s.") %
                 quoted(sets::what) % QStringLiteral(", ") % c % quoted(log::field) %
                 QStringLiteral(", ") % c % quoted(log::kind) % QStringLiteral(", ") % c %
                 quoted(log::before) % QStringLiteral(", ") % c % quoted(log::after) %
                 QStringLiteral(" FROM ") % quoted(tables::changeLog) % QStringLiteral(" c JOIN ") %
                 quoted(tables::changeSets) % QStringLiteral(" s ON s.") % quoted(sets::id) %
                 QStringLiteral(" = ") % c % quoted(log::changeSet) % QStringLiteral(" WHERE ") %
                 c % quoted(log::table) % QStringLiteral(" = ? AND ") % c % quoted(log::record) %
                 QStringLiteral(" = ? ORDER BY ") % c % quoted(log::id) % QStringLiteral(" DESC"),
             {table, rowId})) {
        *error = run.error;
        return false;
    }
    changes->clear();
    while (run.q.next())
        *changes << FieldChange{timeOf(run.q.value(0)),
                                run.q.value(1).toString(),
                                run.q.value(2).toString(),
                                run.q.value(3).toString(),
                                run.q.value(4),
                                run.q.value(5)};
    return true;
}

} // namespace db
