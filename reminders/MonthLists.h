#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QStringList>

namespace reminders {

// The lines of each section of the month lists, for the month of `today`.
QStringList vaccinationsDue(const QSqlDatabase &db, const QDate &today);
// On its own screen a month without litters says so; in the combined list it adds nothing.
enum class LitterForm { Single, Combined };
QStringList littersDue(const QSqlDatabase &db, const QDate &today, LitterForm form);
QStringList birthdays(const QSqlDatabase &db, const QDate &today);

// How many of each the month lists hold for the month of `today`.
struct DueCounts
{
    int vaccinations = 0;
    int litters = 0;
    int birthdays = 0;
    int seasons = 0; // predicted, counted by the caller that knows the seasons
};
DueCounts dueThisMonth(const QSqlDatabase &db, const QDate &today);
// "3 vaccinations, 1 litter, 5 birthdays due, 2 seasons expected this month"
QString dueSummary(const DueCounts &counts);

} // namespace reminders
