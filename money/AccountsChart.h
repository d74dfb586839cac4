#pragma once

#include "money/Accounts.h"
#include "money/AccountTotals.h"

class QChart;

namespace money {

// Income and expenses of each month of the year, side by side as bars.
QChart *monthChart(const YearAccounts &accounts);

} // namespace money
