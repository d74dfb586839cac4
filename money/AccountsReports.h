#pragma once

#include "report/ReportLayout.h"

namespace money {

// "Year Accounts": each category's income or expenses by month, with the totals, the balance
// and a bar chart of the months.
report::Report yearAccountsReport(int year);
// "Litter Accounts": the income, expenses and balance of each litter that has entries.
report::Report litterAccountsReport();

} // namespace money
