#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <vector>

namespace calendar {

// One date the kennel knows is coming, as a calendar program shows it: a whole day, once or
// every year.
struct CalendarEvent
{
    QString uid; // the same for the same record in every export, so a new import updates it
    QString summary;
    QString description;
    QDate day;
    bool yearly = false;
};

// Every date from `today` on: vaccinations due, litters due as the mating worked them out,
// whelping estimated from progesterone, the bitches' next seasons, and the birthdays of living
// dogs (each one event that recurs every year). `kennelKey` makes the UIDs this kennel's own.
// Nothing, with the problem, when the kennel could not be read.
std::vector<CalendarEvent> comingEvents(const QSqlDatabase &kennel, const QDate &today,
                                        const QString &kennelKey, QString *problem);

// The key that stays with this kennel for its calendar's UIDs, made and kept the first time.
QString calendarKey(QSqlDatabase kennel);

} // namespace calendar
