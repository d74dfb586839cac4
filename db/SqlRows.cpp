#include "db/SqlRows.h"

#include "db/RawRows.h"
#include "db/ReadFailure.h"
#include "db/SqlText.h"

#include <QSet>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringBuilder>

namespace db {

core::DataSet rowsOf(QSqlQuery &query)
{
    core::DataSet rows;
    const QSqlRecord names = query.record();
    while (query.next()) {
        const QSqlRecord record = query.record();
        core::DataRow row;
        for (int i = 0; i < record.count(); ++i)
            row.values.insert(names.fieldName(i), record.value(i));
        rows.append(row);
    }
    readToEnd(query);
    return rows;
}

core::DataSet queryRows(const QSqlDatabase &db, const QString &sql)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!execRead(q, sql))
        return {};
    return rowsOf(q);
}

QHash<QString, core::DataSet> rowsHoldingExactly(const QSqlDatabase &db, const QString &table,
                                                 const QString &field, QStringList texts,
                                                 const QStringList &columns)
{
    texts.removeDuplicates();
    QHash<QString, core::DataSet> rows;
    for (qsizetype from = 0; from < texts.size(); from += 500) {
        const QStringList some = texts.mid(from, 500);
        QSqlQuery q(db);
        q.setForwardOnly(true);
        q.prepare(selectFrom(table, columns) % QStringLiteral(" WHERE ") % quoted(field) %
                  QStringLiteral(" COLLATE NOCASE IN (") %
                  QStringList(some.size(), QStringLiteral("?")).join(QLatin1Char(',')) %
                  QStringLiteral(") ORDER BY rowid"));
        for (const QString &text : some)
            q.addBindValue(text);
        if (!q.exec())
            continue;
        const QSet<QString> exact(some.begin(), some.end());
        for (core::DataRow &row : rowsOf(q)) {
            const QString text = row.values.value(field).toString();
            if (exact.contains(text))
                rows[text].append(std::move(row));
        }
    }
    return rows;
}

TableSlices::TableSlices(const QSqlDatabase &db, const QString &table, const QStringList &columns,
                         const QString &condition)
    : m_db(db), m_table(table),
      m_select(columns.isEmpty() ? QStringLiteral("SELECT * FROM ") % quoted(table)
                                 : selectFrom(table, columns)),
      m_condition(condition)
{
}

void TableSlices::readRowNumbers()
{
    if (m_read)
        return;
    m_read = true;
    const QString problem =
        scanRows(m_db,
                 QStringLiteral("SELECT rowid FROM ") % quoted(m_table) %
                     (m_condition.isEmpty() ? QString() : QStringLiteral(" WHERE ") % m_condition) %
                     QStringLiteral(" ORDER BY rowid"),
                 [this](const RawRow &row) { m_rowids.push_back(row.whole(0)); });
    if (!problem.isEmpty())
        tellReadFailed(problem);
}

qsizetype TableSlices::count()
{
    readRowNumbers();
    return qsizetype(m_rowids.size());
}

core::DataSet TableSlices::slice(qsizetype first, qsizetype count)
{
    readRowNumbers();
    const qsizetype last = qMin(first + count, qsizetype(m_rowids.size())) - 1;
    if (first < 0 || last < first)
        return {};
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    q.prepare(m_select % QStringLiteral(" WHERE rowid BETWEEN ? AND ?") %
              (m_condition.isEmpty() ? QString() : QStringLiteral(" AND (") % m_condition % u')') %
              QStringLiteral(" ORDER BY rowid"));
    q.addBindValue(m_rowids[first]);
    q.addBindValue(m_rowids[last]);
    if (!execRead(q))
        return {};
    return rowsOf(q);
}

} // namespace db
