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

} // namespace core
