#pragma once

#include "report/ReportData.h"

#include <QSqlDatabase>

namespace report {

// The rows a query returns, each with its values by column name.
DataSet queryRows(const QSqlDatabase &db, const QString &sql);

} // namespace report
