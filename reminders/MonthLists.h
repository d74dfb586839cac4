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

} // namespace reminders
