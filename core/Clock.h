#pragma once

#include <QDate>
#include <QDateTime>

namespace core {

// The one source of "today" and "now", so that tests can pin them.
class Clock
{
public:
    static QDate today();
    // Local time; on a pinned day without a pinned time, that day at the time of day now.
    static QDateTime now();
    static void setToday(const QDate &date);
    static void setNow(const QDateTime &moment);
    static void useSystemDate();
};

} // namespace core
