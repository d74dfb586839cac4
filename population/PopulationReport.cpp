#include "population/PopulationReport.h"

#include "population/PopulationCharts.h"
#include "report/ReportDefinition.h"
#include "ui/ChartPicture.h"

#include <memory>
#include <QChart>
#include <QLocale>

namespace population {

report::Report populationReport(const PopulationStudy &study,
                                const genetics::EffectiveAncestors *ancestors)
{
    using report::caption;
    using report::field;
    const QFont bold(QStringLiteral("Arial"), 9, QFont::Bold);
    constexpr int row = 285;
    constexpr int figuresTop = 1500;
    constexpr int valueLeft = 4200;
    QList<report::Element> top = report::titleAndDate(QStringLiteral("Population Report"));
    top << field(QStringLiteral("reference"), 0, 900, 9360)
        << field(QStringLiteral("loop"), 0, 1185, 9360);
    const QStringList &captions = figureCaptions();
    for (int figure = 0; figure < Figures; ++figure) {
        top << report::withFont(caption(captions[figure], 0, figuresTop + figure * row, 4100), bold)
            << field(QStringLiteral("figure%1").arg(figure), valueLeft, figuresTop + figure * row,
                     9360 - valueLeft);
    }
    const int pathsTop = figuresTop + Figures * row;
    const int chartsTop = pathsTop + row + 200;
    constexpr int chartHeight = 3600;
    const int listTop = chartsTop + 2 * chartHeight + 300;
    top << field(QStringLiteral("paths"), 0, pathsTop, 9360)
        << report::picture(QStringLiteral("diversity"), 0, chartsTop, 9360, chartHeight)
        << report::picture(QStringLiteral("born"), 0, chartsTop + chartHeight + 100, 9360,
                           chartHeight);
    const std::pair<const char *, int> columns[] = {
        {"Rank", 0},   {"Name", 600}, {"Sex", 4000}, {"Born", 4800}, {"Mean kinship", 5600},
        {"COI", 7200}, {"ECG", 8300}};
    for (size_t c = 0; c < std::size(columns); ++c) {
        const int right = c + 1 < std::size(columns) ? columns[c + 1].second : 9360;
        top << report::withFont(caption(QString::fromLatin1(columns[c].first), columns[c].second,
                                        listTop, right - columns[c].second - 80),
                                bold);
    }
    top << report::line(0, listTop + row + 40, 9360);
    QList<report::Element> detail;
    const char *names[] = {"rank", "name", "sex", "born", "kinship", "coi", "ecg"};
    for (size_t c = 0; c < std::size(columns); ++c) {
        const int right = c + 1 < std::size(columns) ? columns[c + 1].second : 9360;
        detail << field(QString::fromLatin1(names[c]), columns[c].second, 0,
                        right - columns[c].second - 80);
    }
    const QList<report::Section> sections{
        {report::SectionKind::Detail, listTop + row + 120, 0, top},
        {report::SectionKind::Detail, row, 1, detail},
    };
    const report::ReportDefinition definition =
        report::arialReport(QStringLiteral("PopulationReport"), QStringLiteral("Population Report"),
                            QMargins(1440, 1080, 1440, 1080), sections, 9);
    const QStringList texts = figureTexts(study, ancestors);
    core::DataRow data{{{QStringLiteral("reference"), referenceText(study)},
                        {QStringLiteral("loop"), loopText(study)},
                        {QStringLiteral("paths"), pathsLine(study.figures.intervals)}}};
    for (int figure = 0; figure < Figures; ++figure)
        data.values.insert(QStringLiteral("figure%1").arg(figure), texts[figure]);
    // Drawn now, so that the report holds the charts as they were when it was asked for.
    const QSize chartSize(600, 260);
    const std::unique_ptr<QChart> diversity(diversityByYearChart(study.years));
    const std::unique_ptr<QChart> born(bornPerYearChart(study.years));
    data.values.insert(QStringLiteral("diversity"), ui::chartPicture(diversity.get(), chartSize));
    data.values.insert(QStringLiteral("born"), ui::chartPicture(born.get(), chartSize));
    const QLocale locale;
    const size_t listed = std::min(study.ranked.size(), size_t(reportedDogs));
    for (size_t i = 0; i < listed; ++i) {
        const RankedDog &dog = study.ranked[i];
        data.children << core::DataRow{
            {{QStringLiteral("rank"), QString::number(i + 1)},
             {QStringLiteral("name"), dog.name},
             {QStringLiteral("sex"), dog.sex},
             {QStringLiteral("born"),
              dog.born.isValid() ? QString::number(dog.born.year()) : QString()},
             {QStringLiteral("kinship"), genetics::percent(dog.meanKinship)},
             {QStringLiteral("coi"), genetics::percent(dog.coi)},
             {QStringLiteral("ecg"), twoDecimals(dog.generations)}}};
    }
    return {definition, [data] { return core::DataSet{data}; }};
}

} // namespace population
