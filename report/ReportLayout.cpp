#include "report/ReportLayout.h"

#include "core/Clock.h"

#include <QLocale>
#include <QPrinterInfo>

#include <atomic>

namespace report {
namespace {

std::atomic<Paper> chosenPaper = Paper::System;

} // namespace

Paper paper()
{
    return chosenPaper.load();
}

void setPaper(Paper paper)
{
    chosenPaper = paper;
}

QStringList paperNames()
{
    return {QStringLiteral("as the printer is set up"), QStringLiteral("A4"),
            QStringLiteral("Letter")};
}

QPageSize defaultPaper()
{
    switch (chosenPaper.load()) {
    case Paper::A4:
        return QPageSize(QPageSize::A4);
    case Paper::Letter:
        return QPageSize(QPageSize::Letter);
    case Paper::System:
        break;
    }
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
