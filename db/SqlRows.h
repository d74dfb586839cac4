#pragma once

#include "core/DataRows.h"

#include <QHash>
#include <QSqlDatabase>
#include <vector>

class QSqlQuery;

namespace db {

// The rows a query returns, each with its values by column name.
core::DataSet queryRows(const QSqlDatabase &db, const QString &sql);
// The rows left in a query already run.
core::DataSet rowsOf(QSqlQuery &query);

// The rows of `table` whose `field` holds exactly one of `texts`, grouped by that text, each
// group in stored order. The field's index, blind to case, finds the candidates, a few
// hundred texts to a statement; `columns` are read for each row.
QHash<QString, core::DataSet> rowsHoldingExactly(const QSqlDatabase &db, const QString &table,
                                                 const QString &field, QStringList texts,
                                                 const QStringList &columns);

// The rows of a table in stored order, read a slice at a time: only their row numbers are
// held between slices.
class TableSlices : public core::RowSource
{
public:
    // Every column when none are named; a condition of SQL text narrows the rows.
    TableSlices(const QSqlDatabase &db, const QString &table, const QStringList &columns = {},
                const QString &condition = {});

    qsizetype count() override;
    core::DataSet slice(qsizetype first, qsizetype count) override;

private:
    void readRowNumbers();

    QSqlDatabase m_db;
    QString m_table;
    QString m_select;
    QString m_condition;
    bool m_read = false;
    std::vector<qint64> m_rowids;
};

} // namespace db
