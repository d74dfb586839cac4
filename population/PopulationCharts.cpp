#include "population/PopulationCharts.h"

#include <algorithm>
#include <cmath>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLineSeries>
#include <QValueAxis>

namespace population {
namespace {

QValueAxis *yearAxis(const std::vector<genetics::YearFigures> &years)
{
    auto *axis = new QValueAxis;
    axis->setTitleText(QStringLiteral("Year of birth"));
    axis->setLabelFormat(QStringLiteral("%d"));
    const int first = years.empty() ? 0 : years.front().year;
    const int last = years.empty() ? 1 : std::max(years.back().year, first + 1);
    axis->setRange(first, last);
    axis->setTickCount(std::min(last - first, 10) + 1);
    return axis;
}

} // namespace

QChart *diversityByYearChart(const std::vector<genetics::YearFigures> &years)
{
    auto *chart = new QChart;
    chart->setTitle(QStringLiteral("Mean COI and mean kinship by year of birth"));
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto *coi = new QLineSeries;
    coi->setName(QStringLiteral("Mean COI"));
    auto *kinship = new QLineSeries;
    kinship->setName(QStringLiteral("Mean kinship"));
    double highest = 0.0;
    for (const genetics::YearFigures &year : years) {
        if (year.born == 0)
            continue;
        coi->append(year.year, 100.0 * year.meanCoi);
        kinship->append(year.year, 100.0 * year.meanKinship);
        highest = std::max({highest, 100.0 * year.meanCoi, 100.0 * year.meanKinship});
    }
    chart->addSeries(coi);
    chart->addSeries(kinship);
    auto *percent = new QValueAxis;
    percent->setTitleText(QStringLiteral("percent"));
    percent->setRange(0, std::max(highest * 1.1, 1.0));
    percent->applyNiceNumbers();
    percent->setLabelFormat(QStringLiteral("%.1f"));
    QValueAxis *yearsAxis = yearAxis(years);
    chart->addAxis(yearsAxis, Qt::AlignBottom);
    chart->addAxis(percent, Qt::AlignLeft);
    for (QAbstractSeries *series : chart->series()) {
        series->attachAxis(yearsAxis);
        series->attachAxis(percent);
    }
    return chart;
}

QChart *bornPerYearChart(const std::vector<genetics::YearFigures> &years)
{
    auto *chart = new QChart;
    chart->setTitle(QStringLiteral("Dogs born per year"));
    chart->legend()->hide();
    auto *born = new QBarSet(QStringLiteral("Dogs born"));
    QStringList labels;
    int most = 0;
    for (const genetics::YearFigures &year : years) {
        *born << year.born;
        labels << QString::number(year.year);
        most = std::max(most, year.born);
    }
    auto *bars = new QBarSeries;
    bars->append(born);
    chart->addSeries(bars);
    auto *yearsAxis = new QBarCategoryAxis;
    yearsAxis->append(labels);
    yearsAxis->setTitleText(QStringLiteral("Year of birth"));
    auto *count = new QValueAxis;
    count->setTitleText(QStringLiteral("dogs"));
    count->setRange(0, std::max(most, 1));
    count->applyNiceNumbers();
    count->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(yearsAxis, Qt::AlignBottom);
    chart->addAxis(count, Qt::AlignLeft);
    bars->attachAxis(yearsAxis);
    bars->attachAxis(count);
    return chart;
}

} // namespace population
