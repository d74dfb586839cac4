#pragma once

#include "core/DataRows.h"
#include "report/PagedLayout.h"
#include "report/PageModel.h"
#include "report/ReportDefinition.h"

#include <functional>
#include <QDateTime>
#include <QStringList>

namespace report {

using core::DataRow;
using core::DataSet;

// The paper reports are laid out for: the kennel's choice, else the one the system prints on
// by default (Letter or A4 by the locale when no printer is set up).
enum class Paper { System, A4, Letter };
Paper paper();
void setPaper(Paper paper);
// "as the printer is set up", "A4", "Letter", in the enum's order; kept in the kennel file.
QStringList paperNames();
QPageSize defaultPaper();
// The paper of a report, in twips, turned as the report says.
QSize paperSizeTwips(const ReportDefinition &definition);

// Breaks a report's sections over pages: the report header once at the start, the page
// header on every page, a group header and footer around each row's children, a detail per
// row, the page footer at the foot of every page and the report footer once at the end.
Layout layoutReport(const ReportDefinition &definition, const DataSet &data,
                    const QDateTime &printedAt);

// A report that reads its data afresh each time it is laid out.
struct Report
{
    ReportDefinition definition;
    std::function<DataSet()> data;
    // A long report reads its rows a slice at a time instead.
    std::function<std::unique_ptr<core::RowSource>()> rows = {};

    std::unique_ptr<core::RowSource> source() const;
    PagedLayout pages() const;
    Layout layout() const;
};

} // namespace report
