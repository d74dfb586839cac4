#pragma once

#include <optional>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

namespace core::moments {

// A day with the time of day where it is known, for readings such as a progesterone test or
// a weighing.
struct Moment
{
    QDate day;
    QTime time; // invalid where not known

    bool operator==(const Moment &) const = default;
    // Days and, within a day, times in order; a day without a time before its timed moments.
    bool operator<(const Moment &other) const;
    // The days since `from`, with the hours as a fraction.
    double daysSince(const QDate &from) const;
};

// The time as typed: hours and minutes ("9:30", "14:30", "1430"); nothing for anything else,
// a time left empty reads as no time.
std::optional<QTime> parseTime(const QString &text);
// "The Time must be hours and minutes, such as 14:30."
QString invalidTimeMessage(const QString &caption);

// "2027-03-04" or "2027-03-04T09:30", which sorts as text in the order of the moments.
QString toStored(const Moment &moment);
Moment fromStored(const QString &stored);
// "3/4/2027 09:30", in the kennel's date order.
QString shortMoment(const Moment &moment);
QString shortTime(const QTime &time);

} // namespace core::moments
