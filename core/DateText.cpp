#include "core/DateText.h"

#include <QRegularExpression>
#include <QStringBuilder>

namespace core::datetext {

QDate parse(const QString &text)
{
    static const QRegularExpression mdy(
        QStringLiteral(R"(^\s*(\d{1,2})\s*[/.-]\s*(\d{1,2})\s*[/.-]\s*(\d{2}|\d{4})\s*$)"));
    static const QRegularExpression iso(QStringLiteral(R"(^\s*(\d{4})-(\d{1,2})-(\d{1,2})\s*$)"));

    if (const auto m = iso.match(text); m.hasMatch())
        return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());

    const auto m = mdy.match(text);
    if (!m.hasMatch())
        return {};
    int year = m.captured(3).toInt();
    if (m.captured(3).size() == 2)
        year += year < 30 ? 2000 : 1900;
    return QDate(year, m.captured(1).toInt(), m.captured(2).toInt());
}

QString shortDate(const QDate &date)
{
    if (!date.isValid())
        return {};
    // Lists show tens of thousands of dates; reading a format text for each is most of it.
    if (date.year() >= 1000 && date.year() <= 9999)
        return QString::number(date.month()) % QLatin1Char('/') % QString::number(date.day()) %
               QLatin1Char('/') % QString::number(date.year());
    return date.toString(QStringLiteral("M/d/yyyy"));
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

QString invalidDateMessage(const QString &caption, const QString &typed)
{
    return QStringLiteral("The %1 \"%2\" is not a valid date.\nPlease type it as month/day/year, "
                          "for example 03/25/2024.")
        .arg(caption, typed);
}

} // namespace core::datetext
