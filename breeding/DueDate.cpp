#include "breeding/DueDate.h"

#include "core/DateText.h"

namespace breeding {

QDate litterDueDate(const QDate &mated)
{
    if (!mated.isValid())
        return {};
    int month = mated.month() + 2;
    int day = mated.day() + 2;
    if (mated.day() == 30) {
        month += 1;
        day = 2;
    }
    int year = mated.year();
    if (month > 12) {
        month -= 12;
        year += 1;
    }
    if (year == 1900)
        year = 2000;
    // A day past the end of the due month carries its excess into the next month, as the
    // 30th does: 12/31/2000 is due 3/5/2001, 1/31/2001 is due 4/2/2001.
    const int daysInMonth = QDate(year, month, 1).daysInMonth();
    if (day > daysInMonth) {
        day -= daysInMonth;
        if (++month > 12) {
            month = 1;
            year += 1;
        }
    }
    return QDate(year, month, day);
}

QString litterDueText(const QDate &mated)
{
    return core::datetext::dueDate(litterDueDate(mated));
}

} // namespace breeding
