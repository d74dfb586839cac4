#include "core/Clock.h"

namespace core {
namespace {
QDate pinnedDate;
QTime pinnedTime;
} // namespace

QDate Clock::today()
{
    return pinnedDate.isValid() ? pinnedDate : QDate::currentDate();
}

QDateTime Clock::now()
{
    if (!pinnedDate.isValid())
        return QDateTime::currentDateTime();
    return QDateTime(pinnedDate, pinnedTime.isValid() ? pinnedTime : QTime::currentTime());
}

void Clock::setToday(const QDate &date)
{
    pinnedDate = date;
    pinnedTime = QTime();
}

void Clock::setNow(const QDateTime &moment)
{
    pinnedDate = moment.date();
    pinnedTime = moment.time();
}

void Clock::useSystemDate()
{
    pinnedDate = QDate();
    pinnedTime = QTime();
}

} // namespace core
