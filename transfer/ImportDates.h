#pragma once

#include "core/DateText.h"

#include <QDate>
#include <QString>

namespace transfer {

using DateOrder = core::datetext::Order;

// A date as typed in the order given: 1 or 2 digits for day and month, 4 digits (or 2, as
// 19xx from 50 on, else 20xx) for the year, separated by "/", "-" or ".". Invalid when it is
// no such date (02/30/2024, 13/13/2013).
QDate parseDate(const QString &text, DateOrder order);
// "month/day/year", "day/month/year" or "year-month-day", as messages name the order.
QString dateOrderName(DateOrder order);

} // namespace transfer
