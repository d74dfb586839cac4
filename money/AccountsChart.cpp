#include "money/AccountsChart.h"

#include "core/Money.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLocale>
#include <QValueAxis>

namespace money {

QChart *monthChart(const YearAccounts &accounts)
{
    auto *chart = new QChart;
    chart->setTitle(QStringLiteral("Income and expenses by month, %1").arg(accounts.year));
    auto *income = new QBarSet(incomeWord);
    auto *expenses = new QBarSet(QStringLiteral("Expenses"));
    income->setColor(QColor(0x3a, 0x8a, 0x3a));
    expenses->setColor(QColor(0xb0, 0x3a, 0x2e));
    double highest = 0;
    double lowest = 0;
    for (size_t m = 0; m < 12; ++m) {
        const double in = double(accounts.income[m]) / 100.0;
        const double out = double(accounts.expenses[m]) / 100.0;
        *income << in;
        *expenses << out;
        highest = std::max({highest, in, out});
        lowest = std::min({lowest, in, out});
    }
    auto *series = new QBarSeries;
    series->append(income);
    series->append(expenses);
    chart->addSeries(series);
    QStringList months;
    for (int m = 1; m <= 12; ++m)
        months << QLocale().monthName(m, QLocale::ShortFormat);
    auto *axisX = new QBarCategoryAxis;
    axisX->append(months);
    chart->addAxis(axisX, Qt::AlignBottom);
    series->attachAxis(axisX);
    auto *axisY = new QValueAxis;
    axisY->setRange(lowest, highest > lowest ? highest * 1.1 : lowest + 1);
    axisY->setLabelFormat(QStringLiteral("%.0f"));
    axisY->applyNiceNumbers();
    axisY->setTitleText(core::money::currency().symbol);
    chart->addAxis(axisY, Qt::AlignLeft);
    series->attachAxis(axisY);
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

} // namespace money
