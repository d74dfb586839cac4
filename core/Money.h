#pragma once

#include <optional>
#include <QString>

namespace core {

// Amounts are kept as whole cents. Shown as "$"#,##0.00: $1,234.50, -$3.00.
QString formatMoney(qint64 cents);

// An amount as typed: dollars with an optional "$", thousands separators and up to two
// decimals (1234.5, $1,334.50, 1 334.50), blanks allowed around it. Nothing for text that is not
// such an amount, for negative amounts and for amounts of a trillion dollars or more.
std::optional<qint64> parseMoney(const QString &typed);

// a + b, held at the largest or smallest amount instead of wrapping round: a file edited by
// hand may hold any amount.
qint64 addAmounts(qint64 a, qint64 b);

} // namespace core
