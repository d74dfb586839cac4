#pragma once

#include <QDate>

namespace app {

// On the first day of a month, asks whether to show this month's due lists; true for Yes.
// Asks nothing on any other day.
bool askMonthQuestion(const QDate &today);

} // namespace app
