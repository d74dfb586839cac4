#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

namespace core {

// Dates are typed and shown as month/day/year text and stored as ISO YYYY-MM-DD text.
namespace datetext {

// Month/day/year with '/', '-' or '.' between, or ISO. Two-digit years 00-29 are
// 2000-2029, 30-99 are 1930-1999. An invalid QDate for anything else.
QDate parse(const QString &text);

// The short month/day/year form used on screens and in lists.
QString shortDate(const QDate &date);

QString toStored(const QDate &date);
QDate fromStored(const QVariant &stored);

// What a date box shows for a stored value: nothing for no value, the short form for a
// stored date, and any other stored text as it stands so that nothing is hidden.
QString display(const QVariant &stored);

// The hint that stands beside a date box: how a date is typed.
inline QString typingHint()
{
    return QStringLiteral("MM/DD/YY");
}

// What the user is told when a date box holds something that is not a date.
QString invalidDateMessage(const QString &caption, const QString &typed);

} // namespace datetext
} // namespace core
