#include "db/TableCursor.h"

#include "db/Fields.h"
#include "db/IndexSeek.h"
#include "db/Schema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringBuilder>

namespace db {

TableCursor::TableCursor(QSqlDatabase db, QString table)
    : m_db(std::move(db)), m_table(std::move(table))
{
}

TableCursor::~TableCursor() = default;

bool TableCursor::failed(const QSqlQuery &query)
{
    m_error = query.lastError().text();
    return false;
}

bool TableCursor::load(const QString &whereAndOrder, const QVariantList &values)
{
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT rowid AS \"rowid\", * FROM ") % quoted(m_table) %
              QLatin1Char(' ') % whereAndOrder % QStringLiteral(" LIMIT 1"));
    for (const QVariant &v : values)
        q.addBindValue(v);
    if (!q.exec())
        return failed(q);
    if (!q.next())
        return false;
    m_row = q.record();
    m_rowId = q.value(fields::rowid).toLongLong();
    m_hasRow = true;
    m_edits.clear();
    return true;
}

bool TableCursor::first()
{
    m_hasRow = false;
    return load(QStringLiteral("ORDER BY rowid"), {});
}

bool TableCursor::last()
{
    m_hasRow = false;
    return load(QStringLiteral("ORDER BY rowid DESC"), {});
}

bool TableCursor::next()
{
    return load(QStringLiteral("WHERE rowid > ? ORDER BY rowid"), {m_rowId});
}

bool TableCursor::previous()
{
    return load(QStringLiteral("WHERE rowid < ? ORDER BY rowid DESC"), {m_rowId});
}

bool TableCursor::moveTo(qint64 rowId)
{
    m_hasRow = false;
    return load(QStringLiteral("WHERE rowid = ?"), {rowId});
}

bool TableCursor::seek(const QString &indexName, const QString &key)
{
    m_hasRow = false;
    const Index *index = findIndex(indexName);
    if (!index || index->table.compare(m_table, Qt::CaseInsensitive) != 0) {
        m_error = QStringLiteral("no index %1 on %2").arg(indexName, m_table);
        return false;
    }
    IndexSeek found(m_db, *index, {fields::rowid, index->column});
    if (!found.seek(key)) {
        m_error = found.lastError();
        return false;
    }
    return moveTo(found.value(fields::rowid).toLongLong());
}

bool TableCursor::findExact(const QString &field, const QString &value)
{
    m_hasRow = false;
    const QString column = quoted(field);
    const bool indexed = indexOn(m_table, field) != nullptr;
    // Where an index covers the field, it narrows the search before the exact comparison.
    QString where = QStringLiteral("WHERE ") % column % QStringLiteral(" = ?");
    QVariantList values{value};
    if (indexed) {
        where += QStringLiteral(" AND ") % column % QStringLiteral(" = ? COLLATE NOCASE");
        values << value;
    }
    return load(where % QStringLiteral(" ORDER BY rowid"), values);
}

QVariant TableCursor::value(const QString &field) const
{
    if (const auto edit = m_edits.constFind(field.toLower()); edit != m_edits.constEnd())
        return edit.value();
    return m_hasRow ? m_row.value(field) : QVariant();
}

bool TableCursor::addNew()
{
    cancelUpdate();
    m_newRow = std::make_unique<Transaction>(m_db);
    QSqlQuery q(m_db);
    if (!q.exec(QStringLiteral("INSERT INTO ") % quoted(m_table) %
                QStringLiteral(" DEFAULT VALUES"))) {
        m_newRow.reset();
        return failed(q);
    }
    const qint64 id = q.lastInsertId().toLongLong();
    if (!moveTo(id)) {
        m_newRow.reset();
        return false;
    }
    return true;
}

void TableCursor::setValue(const QString &field, const QVariant &value)
{
    m_edits.insert(field.toLower(), value);
}

bool TableCursor::update()
{
    return write(true);
}

bool TableCursor::overwrite()
{
    return write(false);
}

bool TableCursor::findChangedElsewhere()
{
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("SELECT * FROM ") % quoted(m_table) %
              QStringLiteral(" WHERE rowid = ?"));
    q.addBindValue(m_rowId);
    if (!q.exec())
        return failed(q);
    if (!q.next()) {
        m_error = QStringLiteral("another program deleted the record meanwhile");
        return false;
    }
    for (auto it = m_edits.cbegin(); it != m_edits.cend(); ++it) {
        if (q.value(it.key()) != m_row.value(it.key()))
            m_changedElsewhere << it.key();
    }
    return true;
}

bool TableCursor::write(bool onlyAsRead)
{
    m_changedElsewhere.clear();
    if (!m_hasRow) {
        m_error = QStringLiteral("no current row");
        return false;
    }
    if (!m_edits.isEmpty()) {
        QStringList assignments;
        for (auto it = m_edits.cbegin(); it != m_edits.cend(); ++it)
            assignments << quoted(it.key()) % QStringLiteral(" = ?");
        QString sql = QStringLiteral("UPDATE ") % quoted(m_table) % QStringLiteral(" SET ") %
                      assignments.join(QStringLiteral(", ")) % QStringLiteral(" WHERE rowid = ?");
        // A field another program changed since it was read is not written over unasked.
        if (onlyAsRead && !m_newRow) {
            for (auto it = m_edits.cbegin(); it != m_edits.cend(); ++it)
                sql += QStringLiteral(" AND ") % quoted(it.key()) % QStringLiteral(" IS ?");
        }
        QSqlQuery q(m_db);
        q.prepare(sql);
        for (const QVariant &v : std::as_const(m_edits))
            q.addBindValue(v);
        q.addBindValue(m_rowId);
        if (onlyAsRead && !m_newRow) {
            for (auto it = m_edits.cbegin(); it != m_edits.cend(); ++it)
                q.addBindValue(m_row.value(it.key()));
        }
        if (!q.exec())
            return failed(q);
        if (q.numRowsAffected() == 0) {
            if (findChangedElsewhere() && m_changedElsewhere.isEmpty())
                m_error = QStringLiteral("the record could not be written");
            else if (!m_changedElsewhere.isEmpty())
                m_error = QStringLiteral("another program changed %1 meanwhile")
                              .arg(m_changedElsewhere.join(QStringLiteral(", ")));
            return false;
        }
    }
    if (m_newRow) {
        if (const auto committed = m_newRow->commit(); !committed) {
            m_error = committed.problem();
            return false;
        }
    }
    m_newRow.reset();
    return moveTo(m_rowId);
}

void TableCursor::cancelUpdate()
{
    m_edits.clear();
    if (m_newRow) {
        m_newRow.reset();
        m_hasRow = false;
    }
}

bool TableCursor::remove()
{
    if (!m_hasRow)
        return false;
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("DELETE FROM ") % quoted(m_table) %
              QStringLiteral(" WHERE rowid = ?"));
    q.addBindValue(m_rowId);
    if (!q.exec())
        return failed(q);
    m_hasRow = false;
    m_edits.clear();
    return true;
}

} // namespace db
