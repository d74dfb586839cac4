#pragma once

#include "core/WriteResult.h"

#include <QSqlDatabase>
#include <QStringList>
#include <QVariantMap>

namespace db {

// Values for the columns of one row, in the order they are written.
struct RowValues
{
    QStringList columns;
    QVariantList values;

    RowValues &add(const QString &column, const QVariant &value)
    {
        columns << column;
        values << value;
        return *this;
    }
};

// The kennel's own details, the first row of `setup`, by field name; empty when the table
// has no row.
QVariantMap setupRow(const QSqlDatabase &kennel);

// The scratch tables keep a single row: the first is overwritten, or one is added. `schema`
// names the database that holds the table on this connection ("main", or "report" where the
// report file is attached).
core::WriteResult<> writeSingleRow(const QSqlDatabase &db, const QString &schema,
                                   const QString &table, const RowValues &row);

} // namespace db
