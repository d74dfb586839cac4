#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace core {

// Dates are typed and shown in the order the breeder chose (month first unless told
// otherwise) and stored as ISO YYYY-MM-DD text, whatever the order.
namespace datetext {

enum class Order { MonthDayYear, DayMonthYear, YearMonthDay };

// The order every date box reads and every screen, list and report shows; the kennel's
// choice, set when the kennel opens or the choice changes. Month first until then.
Order order();
void setOrder(Order order);

// The orders as the breeder picks them ("month/day/year" ...), in the enum's order; the
// same texts are kept in the kennel file.
QStringList orderNames();
QString orderName(Order order);
// Month first for a name that is not one of them.
Order orderNamed(const QString &name);

// Two-digit years are read into the hundred years that begin here: 30 is 1930, 29 is 2029.
inline constexpr int twoDigitYearsFrom = 1930;

// The chosen order with '/', '-' or '.' between, or ISO in any order. Two-digit years
// 00-29 are 2000-2029, 30-99 are 1930-1999. An invalid QDate for anything else, a date
// that only the other orders make sense of included.
QDate parse(const QString &text);
// The same in the order given, with two-digit years read into the hundred years from
// `yearsFrom` on: what an import reads a file's dates by.
QDate parse(const QString &text, Order order, int yearsFrom = twoDigitYearsFrom);

// The short form used on screens and in lists.
QString shortDate(const QDate &date);

QString toStored(const QDate &date);
QDate fromStored(const QVariant &stored);

// The form the due dates are worked out in: month first with a blank before each number,
// as they always were, where that order is chosen; the short form in the other orders.
QString dueDate(const QDate &date);

// What a date box shows for a stored value: nothing for no value, the short form for a
// stored date, and any other stored text as it stands so that nothing is hidden.
QString display(const QVariant &stored);

// The hint that stands beside a date box: how a date is typed ("MM/DD/YY" ...).
QString typingHint();

// What the user is told when a date box holds something that is not a date: the order the
// program expects, with an example.
QString invalidDateMessage(const QString &caption, const QString &typed);

} // namespace datetext
} // namespace core
