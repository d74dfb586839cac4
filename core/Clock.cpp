#include "core/Clock.h"

namespace core {
namespace {
QDate pinnedDate;
}

QDate Clock::today()
{
    return pinnedDate.isValid() ? pinnedDate : QDate::currentDate();
}

void Clock::setToday(const QDate &date)
{
    pinnedDate = date;
}

void Clock::useSystemDate()
{
    pinnedDate = QDate();
}

} // namespace core
