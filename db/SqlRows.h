#pragma once

#include "core/DataRows.h"

#include <QSqlDatabase>
#include <vector>

class QSqlQuery;

namespace db {

// The rows a query returns, each with its values by column name.
core::DataSet queryRows(const QSqlDatabase &db, const QString &sql);
// The rows left in a query already run.
core::DataSet rowsOf(QSqlQuery &query);

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
