#pragma once

#include <QDate>

namespace core {

// The one source of "today", so that tests can pin the date.
class Clock
{
public:
    static QDate today();
    static void setToday(const QDate &date);
    static void useSystemDate();
};

} // namespace core
