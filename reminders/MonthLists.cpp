#include "reminders/MonthLists.h"

#include "core/DateText.h"
#include "db/Fields.h"
#include "db/RawRows.h"
#include "db/Schema.h"
#include "db/SqlText.h"
#include "db/Tables.h"
#include "kennel/Dogs.h"

#include <functional>
#include <QStringBuilder>

namespace reminders {
namespace {

// Dates are stored as YYYY-MM-DD, so their month and year are parts of the text.
QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// The rows whose date falls in this month and year, in stored order, straight from SQLite:
// a large kennel has a million birthdays to look through. The month and year are numbers
// of ours, not typed text.
void scanDue(const QSqlDatabase &db, const QString &select, const QString &dateColumn,
             const QDate &today, const std::function<void(const db::RawRow &)> &each)
{
    const QString sql =
        select % QStringLiteral(" WHERE %1 = '%2' AND length(%3) = 10 AND %4 = '%5'")
                     .arg(db::monthOf(dateColumn), twoDigits(today.month()), db::quoted(dateColumn),
                          db::yearOf(dateColumn))
                     .arg(today.year());
    db::scanRows(db, sql + QStringLiteral(" ORDER BY rowid"), each);
}

// A stored date as every list shows it.
QString shownDate(const db::RawRow &row, int column)
{
    return core::datetext::display(row.string(column));
}

} // namespace

QStringList vaccinationsDue(const QSqlDatabase &db, const QDate &today)
{
    QStringList lines{QLatin1Char(' ') + QString(74, QLatin1Char('_')) + QLatin1Char(' ')};
    enum Column { Dog, Due };
    QStringList due;
    scanDue(db,
            db::selectFrom(db::tables::vaccinations,
                           {db::fields::vaccinations::dogName, db::fields::vaccinations::due}),
            db::fields::vaccinations::due, today, [&](const db::RawRow &row) {
                due << row.string(Dog) + QStringLiteral("    Vaccination is Due  ") +
                           shownDate(row, Due);
            });
    if (due.isEmpty())
        return lines << QStringLiteral(" ")
                     << QStringLiteral("There are no Vaccinations Due this Month ! ");
    return lines << QStringLiteral(" ")
                 << QStringLiteral("The following Dogs are due for Vaccination this Month !")
                 << QStringLiteral(" ") << due;
}

QStringList littersDue(const QSqlDatabase &db, const QDate &today, LitterForm form)
{
    // A litter is due once, in one month of one year; only birthdays come round every year.
    enum Column { Sire, Dam, Due };
    QStringList lines;
    scanDue(
        db,
        db::selectFrom(db::tables::matings, {db::fields::matings::sire, db::fields::matings::dam,
                                             db::fields::matings::due}),
        db::fields::matings::due, today, [&](const db::RawRow &row) {
            if (lines.isEmpty()) {
                lines << QStringLiteral(" ")
                      << QStringLiteral(" The Following Litters are Expected this Month")
                      << QString(65, QLatin1Char('_')) + QLatin1Char(' ');
            }
            lines << row.string(Sire) + QStringLiteral(" and ") + row.string(Dam)
                  << QStringLiteral("are expecting a Litter on ") + shownDate(row, Due)
                  << QStringLiteral(" ");
        });
    if (lines.isEmpty() && form == LitterForm::Single)
        lines << QStringLiteral(" There are no Litters Due this Month");
    return lines;
}

QStringList birthdays(const QSqlDatabase &db, const QDate &today)
{
    QStringList lines;
    kennel::eachBirthdayIn(db, today.month(), [&](const QString &name, const QString &born) {
        if (lines.isEmpty())
            lines << QStringLiteral("The Following Dogs Have a Birthday This Month ")
                  << QStringLiteral(" ");
        lines << core::datetext::display(born) + QStringLiteral("    ") + name;
    });
    if (lines.isEmpty())
        lines << QStringLiteral("There are No Birthdays This Month?");
    return lines;
}

DueCounts dueThisMonth(const QSqlDatabase &db, const QDate &today)
{
    // The lists' own conditions, counted by SQLite.
    auto count = [&](const QString &table, const QString &dateField) {
        int rows = 0;
        scanDue(db, QStringLiteral("SELECT count(*) FROM ") % db::quoted(table), dateField, today,
                [&](const db::RawRow &row) { rows = int(row.whole(0)); });
        return rows;
    };
    return {count(db::tables::vaccinations, db::fields::vaccinations::due),
            count(db::tables::matings, db::fields::matings::due),
            kennel::birthdaysIn(db, today.month())};
}
QString dueSummary(const DueCounts &counts)
{
    auto some = [](int n, const char *one, const char *many) {
        return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
    };
    return some(counts.vaccinations, "vaccination", "vaccinations") + QStringLiteral(", ") +
           some(counts.litters, "litter", "litters") + QStringLiteral(", ") +
           some(counts.birthdays, "birthday", "birthdays") + QStringLiteral(" due, ") +
           some(counts.seasons, "season", "seasons") + QStringLiteral(" expected this month");
}

} // namespace reminders
