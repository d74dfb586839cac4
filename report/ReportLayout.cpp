#include "report/ReportLayout.h"

#include "core/Clock.h"

#include <QLocale>
#include <QPrinterInfo>

namespace report {

QPageSize defaultPaper()
{
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (!printer.isNull() && printer.defaultPageSize().isValid())
        return printer.defaultPageSize();
    return QPageSize(QLocale().measurementSystem() == QLocale::MetricSystem ? QPageSize::A4
                                                                            : QPageSize::Letter);
}

QSize paperSizeTwips(const ReportDefinition &definition)
{
    const QPageSize paper = definition.pageSize.value_or(defaultPaper());
    const QSizeF points = paper.size(QPageSize::Point);
    QSize twips(qRound(points.width() * 20), qRound(points.height() * 20));
    if (definition.orientation == QPageLayout::Landscape)
        twips.transpose();
    return twips;
}

Layout layoutReport(const ReportDefinition &definition, const DataSet &data,
                    const QDateTime &printedAt)
{
    return PagedLayout(definition, std::make_unique<core::DataSetSource>(data), printedAt)
        .toLayout();
}

std::unique_ptr<core::RowSource> Report::source() const
{
    if (rows)
        return rows();
    return std::make_unique<core::DataSetSource>(data ? data() : DataSet());
}

PagedLayout Report::pages() const
{
    return PagedLayout(definition, source(), QDateTime(core::Clock::today(), QTime::currentTime()));
}

Layout Report::layout() const
{
    return pages().toLayout();
}

} // namespace report
