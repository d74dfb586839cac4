#pragma once

#include "core/DataRows.h"
#include "report/PageModel.h"
#include "report/ReportDefinition.h"

#include <memory>
#include <QDateTime>
#include <QDeadlineTimer>

namespace report {

// A report's pages, worked out a step at a time: the page breaks are found as the rows are
// read, and a page's items are made only when it is shown or printed, so that a report over
// a million dogs never holds every page, nor every row, at once.
class PagedLayout
{
public:
    // Pages laid out already.
    explicit PagedLayout(Layout layout = {});
    PagedLayout(const ReportDefinition &definition, std::unique_ptr<core::RowSource> rows,
                const QDateTime &printedAt);
    PagedLayout(PagedLayout &&other) noexcept;
    PagedLayout &operator=(PagedLayout &&other) noexcept;
    ~PagedLayout();

    QString caption() const;
    QSize paperSize() const; // twips

    // Finds further page breaks until the deadline; true once every page is known.
    bool layOutMore(const QDeadlineTimer &deadline);
    void layOutAll() { layOutMore(QDeadlineTimer::Forever); }
    bool isComplete() const;
    // The pages known so far; never fewer than one.
    int pageCount() const;
    // How far the page breaks are worked out, from 0 to 1.
    double progress() const;
    Page page(int index) const;

    // Every page at once, for short reports and tests.
    Layout toLayout();

private:
    class Paginator;
    Layout m_fixed;
    std::unique_ptr<Paginator> m_paginator;
};

} // namespace report
