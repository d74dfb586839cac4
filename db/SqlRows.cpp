#include "db/SqlRows.h"

#include "db/RawRows.h"
#include "db/ReadFailure.h"
#include "db/SqlText.h"

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
              (m_condition.isEmpty() ? QString() : QStringLiteral(" AND (") % m_condition % ')') %
              QStringLiteral(" ORDER BY rowid"));
    q.addBindValue(m_rowids[first]);
    q.addBindValue(m_rowids[last]);
    if (!execRead(q))
        return {};
    return rowsOf(q);
}

} // namespace db
