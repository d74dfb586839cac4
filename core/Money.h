#pragma once

#include <QString>
#include <optional>

namespace core {

// Amounts are kept as whole cents. Shown as "$"#,##0.00: $1,234.50, -$3.00.
QString formatMoney(qint64 cents);

// An amount as typed: dollars with an optional "$", thousands separators and up to two
// decimals (1234.5, $1,334.50). Nothing for text that is not such an amount, for negative
// amounts and for amounts of a trillion dollars or more.
std::optional<qint64> parseMoney(const QString &typed);

} // namespace core
