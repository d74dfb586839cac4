#include "core/Moments.h"

#include "core/DateText.h"

#include <QRegularExpression>

namespace core::moments {

bool Moment::operator<(const Moment &other) const
{
    if (day != other.day)
        return day < other.day;
    if (time.isValid() != other.time.isValid())
        return !time.isValid();
    return time < other.time;
}

double Moment::daysSince(const QDate &from) const
{
    const double hours = time.isValid() ? time.msecsSinceStartOfDay() / 3'600'000.0 : 0;
    return double(from.daysTo(day)) + hours / 24;
}

std::optional<QTime> parseTime(const QString &text)
{
    const QString typed = text.trimmed();
    if (typed.isEmpty())
        return QTime();
    static const QRegularExpression form(QStringLiteral("^(\\d{1,2})[:.h]?(\\d{2})$"));
    const QRegularExpressionMatch match = form.match(typed);
    if (!match.hasMatch())
        return std::nullopt;
    const QTime time(match.captured(1).toInt(), match.captured(2).toInt());
    if (!time.isValid())
        return std::nullopt;
    return time;
}

QString invalidTimeMessage(const QString &caption)
{
    return QStringLiteral("The %1 must be hours and minutes, such as 14:30.").arg(caption);
}

QString toStored(const Moment &moment)
{
    const QString day = datetext::toStored(moment.day);
    if (!moment.time.isValid())
        return day;
    return day + QLatin1Char('T') + moment.time.toString(QStringLiteral("HH:mm"));
}

Moment fromStored(const QString &stored)
{
    const qsizetype t = stored.indexOf(QLatin1Char('T'));
    if (t < 0)
        return {datetext::fromStored(stored), QTime()};
    return {datetext::fromStored(stored.left(t)),
            QTime::fromString(stored.mid(t + 1), QStringLiteral("HH:mm"))};
}

QString shortTime(const QTime &time)
{
    return time.isValid() ? time.toString(QStringLiteral("HH:mm")) : QString();
}

QString shortMoment(const Moment &moment)
{
    const QString day = datetext::shortDate(moment.day);
    return moment.time.isValid() ? day + QLatin1Char(' ') + shortTime(moment.time) : day;
}

} // namespace core::moments
