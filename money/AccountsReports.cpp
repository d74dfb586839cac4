#include "money/AccountsReports.h"

#include "core/Money.h"
#include "db/DatabaseFiles.h"
#include "money/Accounts.h"
#include "money/AccountsChart.h"
#include "money/AccountTotals.h"
#include "ui/ChartPicture.h"

#include <memory>
#include <QChart>
#include <QLocale>

namespace money {
namespace {

using report::caption;
using report::field;

constexpr int categoryWidth = 2100;
constexpr int monthLeft = 2160;
constexpr int monthWidth = 940;
constexpr int row = 260;

QList<report::Element> monthColumns(const QString &prefix, int top,
                                    const std::optional<QFont> &font)
{
    QList<report::Element> elements;
    for (int m = 0; m <= 12; ++m) {
        report::Element e = field(prefix + QString::number(m), monthLeft + m * monthWidth, top,
                                  monthWidth - 60, row);
        e.alignment = Qt::AlignRight | Qt::AlignTop;
        e.font = font;
        elements << e;
    }
    return elements;
}

// A category's months leave nothing blank; the totals show every month.
QVariantMap monthValues(const QString &prefix, const std::array<qint64, 12> &months, qint64 total,
                        bool blankNothing = false)
{
    QVariantMap values;
    for (size_t m = 0; m < 12; ++m)
        values.insert(prefix + QString::number(m),
                      blankNothing && months[m] == 0 ? QString() : core::formatMoney(months[m]));
    values.insert(prefix + QStringLiteral("12"), core::formatMoney(total));
    return values;
}

core::DataSet yearRows(int year)
{
    const auto read = yearAccounts(db::DatabaseFiles::kennel(), year);
    core::DataRow top{{{QStringLiteral("title"), QStringLiteral("Year Accounts %1").arg(year)}}};
    if (!read) {
        top.values.insert(
            QStringLiteral("problem"),
            QString(QStringLiteral("The accounts could not be read: ") + read.problem()));
        return {top};
    }
    const YearAccounts &accounts = read.value();
    const std::unique_ptr<QChart> chart(monthChart(accounts));
    top.values.insert(QStringLiteral("chart"), ui::chartPicture(chart.get(), QSize(980, 240)));
    for (const bool income : {true, false}) {
        core::DataRow group{monthValues(QStringLiteral("t"),
                                        income ? accounts.income : accounts.expenses,
                                        income ? accounts.incomeTotal : accounts.expenseTotal)};
        group.values.insert(QStringLiteral("heading"),
                            income ? QStringLiteral("Income") : QStringLiteral("Expenses"));
        group.values.insert(QStringLiteral("totalcaption"), income
                                                                ? QStringLiteral("Total income")
                                                                : QStringLiteral("Total expenses"));
        for (const YearAccounts::Row &r : accounts.rows) {
            if (r.income != income)
                continue;
            core::DataRow category{monthValues(QStringLiteral("m"), r.months, r.total, true)};
            category.values.insert(QStringLiteral("category"), r.category);
            group.children << category;
        }
        top.children << group;
    }
    core::DataRow balance{
        monthValues(QStringLiteral("t"), accounts.balance, accounts.balanceTotal)};
    balance.values.insert(QStringLiteral("heading"), QStringLiteral("Balance"));
    balance.values.insert(QStringLiteral("totalcaption"), QStringLiteral("Income less expenses"));
    top.children << balance;
    return {top};
}

} // namespace

report::Report yearAccountsReport(int year)
{
    const QFont bold(QStringLiteral("Arial"), 8, QFont::Bold);
    const QFont title(QStringLiteral("Arial"), 16, QFont::Bold);
    constexpr int width = monthLeft + 13 * monthWidth;
    QList<report::Element> columns{
        report::withFont(caption(QStringLiteral("Category"), 0, 0, categoryWidth), bold)};
    for (int m = 1; m <= 13; ++m) {
        report::Element e =
            report::withFont(caption(m <= 12 ? QLocale().monthName(m, QLocale::ShortFormat)
                                             : QStringLiteral("Total"),
                                     monthLeft + (m - 1) * monthWidth, 0, monthWidth - 60),
                             bold);
        e.alignment = Qt::AlignRight | Qt::AlignTop;
        columns << e;
    }
    columns << report::line(0, row + 20, width);
    constexpr int chartTop = 700;
    constexpr int chartHeight = 3400;
    QList<report::Element> top{
        report::withFont(field(QStringLiteral("title"), 0, 0, 9000, 420), title),
        report::Element{report::ElementKind::PrintDate, QRect(width - 3000, 60, 3000, row)},
        field(QStringLiteral("problem"), 0, 460, width),
        report::picture(QStringLiteral("chart"), 0, chartTop, width, chartHeight)};
    top.last().shownWith = QStringLiteral("chart");
    top[1].alignment = Qt::AlignRight | Qt::AlignTop;
    for (report::Element e : columns) {
        e.rect.translate(0, chartTop + chartHeight + 200);
        top << e;
    }
    QList<report::Element> footer{
        report::withFont(field(QStringLiteral("totalcaption"), 0, 40, categoryWidth), bold),
        report::line(monthLeft, 20, width - monthLeft)};
    footer << monthColumns(QStringLiteral("t"), 40, bold);
    QList<report::Element> detail{field(QStringLiteral("category"), 120, 0, categoryWidth - 120)};
    detail << monthColumns(QStringLiteral("m"), 0, {});
    const QList<report::Section> sections{
        {report::SectionKind::Detail, chartTop + chartHeight + 200 + row + 160, 0, top},
        {report::SectionKind::GroupHeader,
         row + 120,
         1,
         {report::withFont(field(QStringLiteral("heading"), 0, 80, categoryWidth), bold)}},
        {report::SectionKind::Detail, row, 2, detail},
        {report::SectionKind::GroupFooter, row + 160, 1, footer},
    };
    report::ReportDefinition definition =
        report::arialReport(QStringLiteral("YearAccounts"), QStringLiteral("Year Accounts"),
                            QMargins(720, 720, 720, 720), sections, 8);
    definition.orientation = QPageLayout::Landscape;
    return {definition, [year] { return yearRows(year); }};
}

report::Report litterAccountsReport()
{
    const QFont bold(QStringLiteral("Arial"), 9, QFont::Bold);
    auto money = [](const QString &name, int left, int top) {
        report::Element e = field(name, left, top, 1600, row, report::Format::Money);
        e.alignment = Qt::AlignRight | Qt::AlignTop;
        return e;
    };
    auto sum = [](const QString &name, int left, int top) {
        report::Element e{report::ElementKind::Sum, QRect(left, top, 1600, row), name,
                          report::Format::Money};
        e.alignment = Qt::AlignRight | Qt::AlignTop;
        return e;
    };
    auto heading = [&](const QString &text, int left, int width, bool right) {
        report::Element e = report::withFont(caption(text, left, 0, width), bold);
        if (right)
            e.alignment = Qt::AlignRight | Qt::AlignTop;
        return e;
    };
    const QList<report::Section> sections{
        {report::SectionKind::ReportHeader, 900, 0,
         report::titleAndDate(QStringLiteral("Litter Accounts"))},
        {report::SectionKind::PageHeader,
         row + 120,
         0,
         {heading(QStringLiteral("Litter"), 0, 4200, false),
          heading(QStringLiteral("Income"), 4300, 1600, true),
          heading(QStringLiteral("Expenses"), 5980, 1600, true),
          heading(QStringLiteral("Balance"), 7660, 1600, true), report::line(0, row + 40, 9360)}},
        {report::SectionKind::Detail,
         row + 40,
         0,
         {field(QStringLiteral("litter"), 0, 0, 4200), money(QStringLiteral("income"), 4300, 0),
          money(QStringLiteral("expenses"), 5980, 0), money(QStringLiteral("balance"), 7660, 0)}},
        {report::SectionKind::ReportFooter,
         row + 200,
         0,
         {report::line(4300, 40, 5060),
          report::withFont(caption(QStringLiteral("Total"), 0, 80, 4200), bold),
          sum(QStringLiteral("income"), 4300, 80), sum(QStringLiteral("expenses"), 5980, 80),
          sum(QStringLiteral("balance"), 7660, 80)}},
    };
    return {report::arialReport(QStringLiteral("LitterAccounts"), QStringLiteral("Litter Accounts"),
                                QMargins(1440, 1440, 1440, 1440), sections, 9),
            [] {
                core::DataSet rows;
                const auto litters = litterAccounts(db::DatabaseFiles::kennel());
                if (!litters) {
                    rows << core::DataRow{
                        {{QStringLiteral("litter"),
                          QString(QStringLiteral("The accounts could not be read: ") +
                                  litters.problem())}}};
                    return rows;
                }
                for (const LitterAccount &l : litters.value())
                    rows << core::DataRow{{{QStringLiteral("litter"), l.litter},
                                           {QStringLiteral("income"), l.income},
                                           {QStringLiteral("expenses"), l.expenses},
                                           {QStringLiteral("balance"), l.balance}}};
                return rows;
            }};
}

} // namespace money
