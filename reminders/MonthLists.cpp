#include "reminders/MonthLists.h"

#include "core/DateText.h"
#include "db/Fields.h"
#include "db/QueryColumns.h"
#include "db/SqlText.h"
#include "db/Tables.h"

#include <QSqlQuery>
#include <QStringBuilder>

namespace reminders {
namespace {

// Dates are stored as YYYY-MM-DD, so their month and year are parts of the text.
QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

QSqlQuery rowsDue(const QSqlDatabase &db, const QString &select, const QString &dateColumn,
                  const QDate &today, bool sameYear)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    QString sql = select + QStringLiteral(" WHERE substr(%1, 6, 2) = ? AND length(%1) = 10")
                               .arg(db::quoted(dateColumn));
    if (sameYear)
        sql += QStringLiteral(" AND substr(%1, 1, 4) = ?").arg(db::quoted(dateColumn));
    q.prepare(sql + QStringLiteral(" ORDER BY rowid"));
    q.addBindValue(twoDigits(today.month()));
    if (sameYear)
        q.addBindValue(QString::number(today.year()));
    q.exec();
    return q;
}

} // namespace

QStringList vaccinationsDue(const QSqlDatabase &db, const QDate &today)
{
    QStringList lines{QLatin1Char(' ') + QString(74, QLatin1Char('_')) + QLatin1Char(' ')};
    QSqlQuery q =
        rowsDue(db,
                db::selectFrom(db::tables::vaccinations,
                               {db::fields::vaccinations::dogName, db::fields::vaccinations::due}),
                db::fields::vaccinations::due, today, true);
    QStringList due;
    const db::QueryColumns columns(q);
    while (q.next()) {
        due << columns.value(db::fields::vaccinations::dogName).toString() +
                   QStringLiteral("    Vaccination is Due  ") +
                   core::datetext::display(columns.value(db::fields::vaccinations::due));
    }
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
    QSqlQuery q = rowsDue(
        db,
        db::selectFrom(db::tables::matings, {db::fields::matings::sire, db::fields::matings::dam,
                                             db::fields::matings::due}),
        db::fields::matings::due, today, true);
    QStringList lines;
    const db::QueryColumns columns(q);
    while (q.next()) {
        if (lines.isEmpty()) {
            lines << QStringLiteral(" ")
                  << QStringLiteral(" The Following Litters are Expected this Month")
                  << QString(65, QLatin1Char('_')) + QLatin1Char(' ');
        }
        lines << columns.value(db::fields::matings::sire).toString() + QStringLiteral(" and ") +
                     columns.value(db::fields::matings::dam).toString()
              << QStringLiteral("are expecting a Litter on ") +
                     core::datetext::display(columns.value(db::fields::matings::due))
              << QStringLiteral(" ");
    }
    if (lines.isEmpty() && form == LitterForm::Single)
        lines << QStringLiteral(" There are no Litters Due this Month");
    return lines;
}

QStringList birthdays(const QSqlDatabase &db, const QDate &today)
{
    QSqlQuery q = rowsDue(
        db, db::selectFrom(db::tables::dogs, {db::fields::dogs::name, db::fields::dogs::born}),
        db::fields::dogs::born, today, false);
    QStringList lines;
    const db::QueryColumns columns(q);
    while (q.next()) {
        if (lines.isEmpty())
            lines << QStringLiteral("The Following Dogs Have a Birthday This Month ")
                  << QStringLiteral(" ");
        lines << core::datetext::display(columns.value(db::fields::dogs::born)) +
                     QStringLiteral("    ") + columns.value(db::fields::dogs::name).toString();
    }
    if (lines.isEmpty())
        lines << QStringLiteral("There are No Birthdays This Month?");
    return lines;
}

DueCounts dueThisMonth(const QSqlDatabase &db, const QDate &today)
{
    // The lists' own conditions, counted by SQLite.
    auto count = [&](const QString &table, const QString &dateField, bool sameYear) {
        QSqlQuery q =
            rowsDue(db, QStringLiteral("SELECT count(*) AS \"rows\" FROM ") % db::quoted(table),
                    dateField, today, sameYear);
        return q.next() ? q.value(QStringLiteral("rows")).toInt() : 0;
    };
    return {count(db::tables::vaccinations, db::fields::vaccinations::due, true),
            count(db::tables::matings, db::fields::matings::due, true),
            count(db::tables::dogs, db::fields::dogs::born, false)};
}

QString dueSummary(const DueCounts &counts)
{
    auto some = [](int n, const char *one, const char *many) {
        return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
    };
    return some(counts.vaccinations, "vaccination", "vaccinations") + QStringLiteral(", ") +
           some(counts.litters, "litter", "litters") + QStringLiteral(", ") +
           some(counts.birthdays, "birthday", "birthdays") + QStringLiteral(" due this month");
}

} // namespace reminders
