#pragma once

#include "core/WriteResult.h"

#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>

namespace db {

class Transaction;

// Runs one statement (values bound in order) in a transaction of its own as a change the user
// can undo, described by `what`: the new row's id for an insert.
core::WriteResult<qint64> runLogged(QSqlDatabase db, const QString &what, const QString &sql,
                                    const QVariantList &values);

// One thing the user did, such as a record saved, a dog renamed with the records that name
// it, deleted or merged: while it is open, every field its statements write in the kennel's
// tables (and in the sales ledger) is kept in the change log, by temporary triggers that live
// with the connection, so nothing is missed and nothing lands without its entry. Open it inside
// the transaction of the writes, so that both land or neither does. One opened while another
// is open belongs to the other.
class LoggedChange
{
public:
    LoggedChange(QSqlDatabase db, const QString &what);
    ~LoggedChange();
    LoggedChange(const LoggedChange &) = delete;
    LoggedChange &operator=(const LoggedChange &) = delete;

    // A row that the transaction added before this change was opened, such as a cursor's new
    // row: undoing the change removes it.
    QString noteAdded(const QString &table, qint64 rowId);
    // Closes the change: one that wrote nothing leaves no entry, and the log keeps the latest
    // changes only. The problem, or empty; also the problem of opening it.
    QString finish();

    // Closes the change and commits the transaction of its writes; with a problem, or when
    // either fails, undoes them both and answers why.
    core::WriteResult<> land(Transaction &transaction, const QString &problem = {});

    // Renames the change that is open on the connection, if one is.
    static QString describeOpen(const QSqlDatabase &db, const QString &what);

private:
    QSqlDatabase m_db;
    qint64 m_id = 0;
    QString m_problem;
};

// How many changes the log keeps; the oldest whole changes go first.
inline constexpr int keptChanges = 10000;

// The latest change, what Undo would reverse; an empty `what` when there is none.
struct ChangeSummary
{
    qint64 id = 0;
    QDateTime time;
    QString what;
};
ChangeSummary latestChange(const QSqlDatabase &db);

// Reverses the latest change and removes it from the log, all or nothing. It is refused when a
// record it wrote has since been changed in a way the log does not hold (an import, another
// program). Answers what was undone.
core::WriteResult<QString> undoLatestChange(const QSqlDatabase &db);

// The changes to one record, newest first, for its history.
struct FieldChange
{
    QDateTime time;
    QString what;
    QString field; // empty when the row was added or deleted
    QString kind;  // "edit", "add" or "remove"
    QVariant before;
    QVariant after;
};
bool historyOf(const QSqlDatabase &db, const QString &table, qint64 rowId,
               QList<FieldChange> *changes, QString *error);

} // namespace db
