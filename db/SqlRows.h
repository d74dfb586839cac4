#pragma once

#include "core/DataRows.h"

#include <QSqlDatabase>

namespace db {

// The rows a query returns, each with its values by column name.
core::DataSet queryRows(const QSqlDatabase &db, const QString &sql);

} // namespace db
