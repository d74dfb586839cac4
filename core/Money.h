#pragma once

#include <QString>

namespace core {

// Amounts are kept as whole cents. Shown as "$"#,##0.00: $1,234.50, -$3.00.
QString formatMoney(qint64 cents);

} // namespace core
