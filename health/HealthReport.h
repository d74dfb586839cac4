#pragma once

#include "core/DataRows.h"
#include "report/ReportLayout.h"

#include <QSqlDatabase>

namespace health {

// The kennel's own living dogs with results, grouped by breed: each dog with its latest
// result of every test, and for a DNA test it has no result of, what its relatives prove.
core::DataSet healthResultRows(const QSqlDatabase &kennel);

// "Health Results", to preview, print or save as PDF.
report::Report healthResultsReport();

} // namespace health
