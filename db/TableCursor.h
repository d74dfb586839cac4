#pragma once

#include "db/Transaction.h"

#include <memory>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace db {

// A cursor over one table in stored (insertion) order. Moves read the next row live from
// the file, so rows added by other screens are met and nothing is held in memory but the
// current row.
class TableCursor
{
public:
    TableCursor(QSqlDatabase db, QString table);
    ~TableCursor();
    TableCursor(const TableCursor &) = delete;
    TableCursor &operator=(const TableCursor &) = delete;
    const QSqlDatabase &database() const { return m_db; }
    const QString &table() const { return m_table; }

    // Each move answers whether it reached a row. first(), last(), moveTo() and the seeks
    // leave no current row when they fail; next() and previous() at the ends stay put.
    bool first();
    bool last();
    bool next();
    bool previous();
    bool moveTo(qint64 rowId);
    // Through a named index (see db::indexes): the first row, in index order, whose key
    // equals the text without regard to case, for every letter (IndexSeek).
    bool seek(const QString &indexName, const QString &key);
    // As a scan would find it: the first row in stored order whose field equals the value
    // exactly, with case.
    bool findExact(const QString &field, const QString &value);

    bool hasRow() const { return m_hasRow; }
    qint64 rowId() const { return m_rowId; }
    // The stored value, or the change set for it; a null QVariant for "no value".
    QVariant value(const QString &field) const;
    // The value as it was read, whatever change is pending.
    QVariant readValue(const QString &field) const
    {
        return m_hasRow ? m_row.value(field) : QVariant();
    }

    // Starts a new row: its auto-increment id is readable (value() / rowId()) at once, but
    // the row lands only with update(); cancelUpdate() or destruction drops it.
    bool addNew();
    void setValue(const QString &field, const QVariant &value);
    bool hasPendingChanges() const { return !m_edits.isEmpty() || m_newRow != nullptr; }
    bool isNewRow() const { return m_newRow != nullptr; }
    // Writes the changes while the changed fields still hold what was read: when another
    // connection changed one meanwhile, nothing is written, changedElsewhere() names those
    // fields and the changes stay pending.
    bool update();
    // Writes the changes whatever the file holds now.
    bool overwrite();
    QStringList changedElsewhere() const { return m_changedElsewhere; }
    void cancelUpdate();
    // Deletes the current row; the next move goes on from where it stood.
    bool remove();

    QString lastError() const { return m_error; }

private:
    bool load(const QString &whereAndOrder, const QVariantList &values);
    bool write(bool onlyAsRead);
    // The edited fields whose stored value is no longer the one read; false when the row
    // cannot be read again.
    bool findChangedElsewhere();
    bool failed(const class QSqlQuery &query);

    QSqlDatabase m_db;
    QString m_table;
    QSqlRecord m_row;
    qint64 m_rowId = 0;
    bool m_hasRow = false;
    QVariantMap m_edits;
    QStringList m_changedElsewhere;
    std::unique_ptr<Transaction> m_newRow;
    QString m_error;
};

} // namespace db
