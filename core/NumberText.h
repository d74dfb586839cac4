#pragma once

#include <optional>
#include <QString>

namespace core {

// A number as it is composed into text: one leading blank in place of the sign of a
// non-negative number, a minus sign otherwise (" 12", "-1").
QString signedText(qint64 number);

} // namespace core

namespace core {

// The number at the start of typed text, as "Create Records" reads it: leading blanks are
// skipped, the longest number that starts the text is taken (sign, decimals and exponent
// included), and text that does not start with a number reads as 0.
double leadingNumber(const QString &text);

// A whole number typed by the user: the leading number rounded to the nearest whole number,
// a half going to the even neighbour; nothing when the text does not start with a number or
// the number does not fit a signed 16-bit whole number.
std::optional<int> typedWholeNumber(const QString &text);
// The same, with 0 for nothing.
int typedCount(const QString &text);

// A decimal number as the breeder types it into a box or a file holds it: digits with a point
// or a comma before the fraction ("1.5", "1,5"), blanks around it and a minus sign allowed.
// Where both a point and a comma appear, the kennel's own decimal separator (its money form)
// is the decimal one and the other groups thousands ("1.234,5" where the kennel writes
// commas). The system's locale is never asked, so "1.500" is one and a half on every
// computer. Nothing for anything else, exponents included.
std::optional<double> readDecimal(const QString &typed);

} // namespace core
