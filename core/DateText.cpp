#include "core/DateText.h"

#include "core/NumberText.h"

#include <QRegularExpression>
#include <QStringBuilder>

#include <array>
#include <atomic>

namespace core::datetext {
namespace {

// Read by the screens' threads and the reports' alike; written by the window's thread.
std::atomic<Order> chosen = Order::MonthDayYear;

struct OrderTexts
{
    QString name;
    QString hint;
    QString example;
};

const OrderTexts &texts(Order order)
{
    static const std::array<OrderTexts, 3> all{{
        {QStringLiteral("month/day/year"), QStringLiteral("MM/DD/YY"),
         QStringLiteral("03/25/2024")},
        {QStringLiteral("day/month/year"), QStringLiteral("DD/MM/YY"),
         QStringLiteral("25/03/2024")},
        {QStringLiteral("year-month-day"), QStringLiteral("YYYY-MM-DD"),
         QStringLiteral("2024-03-25")},
    }};
    return all[size_t(order)];
}

int fullYear(const QString &typed, int yearsFrom)
{
    const int year = typed.toInt();
    if (typed.size() != 2)
        return year;
    return yearsFrom + (year - yearsFrom % 100 + 100) % 100;
}

QString twoDigits(int n)
{
    return QString::number(n).rightJustified(2, u'0');
}

} // namespace

Order order()
{
    return chosen.load();
}

void setOrder(Order order)
{
    chosen = order;
}

QStringList orderNames()
{
    return {orderName(Order::MonthDayYear), orderName(Order::DayMonthYear),
            orderName(Order::YearMonthDay)};
}

QString orderName(Order order)
{
    return texts(order).name;
}

Order orderNamed(const QString &name)
{
    const qsizetype index = orderNames().indexOf(name);
    return index < 0 ? Order::MonthDayYear : Order(index);
}

QDate parse(const QString &text)
{
    return parse(text, order());
}

QDate parse(const QString &text, Order reading, int yearsFrom)
{
    static const QRegularExpression iso(QStringLiteral(R"(^\s*(\d{4})-(\d{1,2})-(\d{1,2})\s*$)"));
    // Day and month of one or two digits, then the year.
    static const QRegularExpression yearLast(
        QStringLiteral(R"(^\s*(\d{1,2})\s*[/.-]\s*(\d{1,2})\s*[/.-]\s*(\d{2}|\d{4})\s*$)"));
    // Four digits: "03/04/21" is a date the other orders make, not 21 April 2003.
    static const QRegularExpression yearFirst(
        QStringLiteral(R"(^\s*(\d{4})\s*[/.-]\s*(\d{1,2})\s*[/.-]\s*(\d{1,2})\s*$)"));

    if (const auto m = iso.match(text); m.hasMatch())
        return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    switch (reading) {
    case Order::MonthDayYear:
    case Order::DayMonthYear: {
        const auto m = yearLast.match(text);
        if (!m.hasMatch())
            return {};
        const int first = m.captured(1).toInt();
        const int second = m.captured(2).toInt();
        const bool monthFirst = reading == Order::MonthDayYear;
        return QDate(fullYear(m.captured(3), yearsFrom), monthFirst ? first : second,
                     monthFirst ? second : first);
    }
    case Order::YearMonthDay: {
        const auto m = yearFirst.match(text);
        if (!m.hasMatch())
            return {};
        return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    }
    }
    return {};
}

QString shortDate(const QDate &date)
{
    if (!date.isValid())
        return {};
    const Order showing = order();
    // Lists show tens of thousands of dates; reading a format text for each is most of it.
    if (date.year() < 1000 || date.year() > 9999) {
        switch (showing) {
        case Order::MonthDayYear:
            return date.toString(QStringLiteral("M/d/yyyy"));
        case Order::DayMonthYear:
            return date.toString(QStringLiteral("d/M/yyyy"));
        case Order::YearMonthDay:
            return date.toString(QStringLiteral("yyyy-MM-dd"));
        }
    }
    const QString day = QString::number(date.day());
    const QString month = QString::number(date.month());
    const QString year = QString::number(date.year());
    switch (showing) {
    case Order::MonthDayYear:
        return month % u'/' % day % u'/' % year;
    case Order::DayMonthYear:
        return day % u'/' % month % u'/' % year;
    case Order::YearMonthDay:
        return year % u'-' % twoDigits(date.month()) % u'-' % twoDigits(date.day());
    }
    return {};
}

QString dueDate(const QDate &date)
{
    if (!date.isValid())
        return {};
    if (order() != Order::MonthDayYear)
        return shortDate(date);
    return signedText(date.month()) % u'/' % signedText(date.day()) % u'/' %
           signedText(date.year());
}

QString toStored(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

QDate fromStored(const QVariant &stored)
{
    if (stored.isNull())
        return {};
    return QDate::fromString(stored.toString(), Qt::ISODate);
}

QString display(const QVariant &stored)
{
    if (stored.isNull())
        return {};
    const QDate date = fromStored(stored);
    return date.isValid() ? shortDate(date) : stored.toString();
}

QString typingHint()
{
    return texts(order()).hint;
}

QString invalidDateMessage(const QString &caption, const QString &typed)
{
    const OrderTexts &expected = texts(order());
    return QStringLiteral("The %1 \"%2\" is not a valid date.\nPlease type it as %3, for example "
                          "%4.")
        .arg(caption, typed, expected.name, expected.example);
}

} // namespace core::datetext
