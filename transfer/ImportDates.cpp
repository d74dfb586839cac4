#include "transfer/ImportDates.h"

#include <QRegularExpression>

namespace transfer {

QDate parseDate(const QString &text, DateOrder order)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(\\d{1,4})\\s*[/.-]\\s*(\\d{1,2})\\s*[/.-]\\s*(\\d{1,4})\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return {};
    QString parts[3] = {match.captured(1), match.captured(2), match.captured(3)};
    const int yearAt = order == DateOrder::YearMonthDay ? 0 : 2;
    const QString yearText = parts[yearAt];
    if (yearText.size() != 4 && yearText.size() != 2)
        return {};
    for (int i = 0; i < 3; ++i) {
        if (i != yearAt && parts[i].size() > 2)
            return {};
    }
    int year = yearText.toInt();
    if (yearText.size() == 2)
        year += year >= 50 ? 1900 : 2000;
    const int first = parts[order == DateOrder::YearMonthDay ? 1 : 0].toInt();
    const int second = parts[order == DateOrder::YearMonthDay ? 2 : 1].toInt();
    const int month = order == DateOrder::DayMonthYear ? second : first;
    const int day = order == DateOrder::DayMonthYear ? first : second;
    return QDate(year, month, day);
}

QString dateOrderName(DateOrder order)
{
    switch (order) {
    case DateOrder::MonthDayYear:
        return QStringLiteral("month/day/year");
    case DateOrder::DayMonthYear:
        return QStringLiteral("day/month/year");
    default:
        return QStringLiteral("year-month-day");
    }
}

} // namespace transfer
