#include "health/Health.h"

#include "core/DateText.h"
#include "core/NumberText.h"
#include "db/QueryColumns.h"
#include "db/TableCursor.h"
#include "db/Tables.h"
#include "db/Transaction.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringBuilder>

namespace health {

QStringList vaccinationTypes()
{
    return {QStringLiteral("Puppy Vax 1"), QStringLiteral("Puppy Vax 2"),
            QStringLiteral("Puppy Vax 3"), QStringLiteral("Booster 1yr")};
}

bool dueAYearLater(const QString &type)
{
    return type == QLatin1String("Puppy Vax 3") || type == QLatin1String("Booster 1yr");
}

QString nextDueText(const QDate &vaccinated)
{
    if (!vaccinated.isValid())
        return {};
    const int year = vaccinated.year() + 1;
    const int day = qMin(vaccinated.day(), QDate(year, vaccinated.month(), 1).daysInMonth());
    return core::signedText(vaccinated.month()) + QLatin1Char('/') + core::signedText(day) +
           QLatin1Char('/') + core::signedText(year);
}

std::optional<qint64> dogIdOf(const QSqlDatabase &db, const QString &name)
{
    db::TableCursor dogs(db, db::tables::dogs);
    if (!dogs.seek(QStringLiteral("name"), name))
        return std::nullopt;
    return dogs.rowId();
}

core::WriteResult<> addVaccination(QSqlDatabase db, const QString &dog, qint64 dogId,
                                   const QString &type, const QDate &due, const QDate &vaccinated)
{
    db::TableCursor vaccinations(std::move(db), db::tables::vaccinations);
    if (!vaccinations.addNew())
        return core::failure(vaccinations.lastError());
    vaccinations.setValue(QStringLiteral("dogname"), dog);
    vaccinations.setValue(QStringLiteral("dogid"), dogId);
    vaccinations.setValue(QStringLiteral("vaxtype"), type);
    vaccinations.setValue(QStringLiteral("due"), core::datetext::toStored(due));
    vaccinations.setValue(QStringLiteral("vaccinated"), core::datetext::toStored(vaccinated));
    if (!vaccinations.update())
        return core::failure(vaccinations.lastError());
    return {};
}

QStringList vaccinationHistory(const QSqlDatabase &db, const QString &dog)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT vaccinated, due, vaxtype FROM ") % db::tables::vaccinations %
              QStringLiteral(" WHERE dogname = ? "
                             "ORDER BY rowid DESC"));
    q.addBindValue(dog);
    q.exec();
    QStringList lines;
    const db::QueryColumns columns(q);
    while (q.next()) {
        lines << core::datetext::display(columns.value(QStringLiteral("vaccinated"))) +
                     QStringLiteral("     ") +
                     core::datetext::display(columns.value(QStringLiteral("due"))) +
                     QStringLiteral("    ") + columns.value(QStringLiteral("vaxtype")).toString();
    }
    return lines;
}

QStringList notesOf(QSqlDatabase db, qint64 dogId)
{
    db::Transaction cleanup(db);
    QSqlQuery empty(db);
    empty.prepare(QStringLiteral("DELETE FROM ") % db::tables::notes %
                  QStringLiteral(" WHERE Dogid = ? AND (note IS NULL OR note = '')"));
    empty.addBindValue(dogId);
    empty.exec();
    cleanup.commit();

    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT dt, note FROM ") % db::tables::notes %
              QStringLiteral(" WHERE Dogid = ? ORDER BY rowid DESC"));
    q.addBindValue(dogId);
    q.exec();
    QStringList lines;
    const db::QueryColumns columns(q);
    while (q.next()) {
        lines << core::datetext::display(columns.value(QStringLiteral("dt"))) +
                     QStringLiteral("      ") + columns.value(QStringLiteral("note")).toString()
              << QString(97, QLatin1Char('_'));
    }
    return lines;
}

core::WriteResult<> addNote(QSqlDatabase db, qint64 dogId, const QDate &date, const QString &note)
{
    db::TableCursor notes(std::move(db), db::tables::notes);
    if (!notes.addNew())
        return core::failure(notes.lastError());
    notes.setValue(QStringLiteral("Dogid"), dogId);
    notes.setValue(QStringLiteral("dt"), core::datetext::toStored(date));
    notes.setValue(QStringLiteral("note"), note);
    if (!notes.update())
        return core::failure(notes.lastError());
    return {};
}

} // namespace health
