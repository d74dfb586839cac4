#include "health/Health.h"

#include "core/DateText.h"
#include "db/ChangeLog.h"
#include "db/Fields.h"
#include "db/QueryColumns.h"
#include "db/ReadFailure.h"
#include "db/SqlText.h"
#include "db/TableCursor.h"
#include "db/Tables.h"
#include "db/Transaction.h"
#include "kennel/DogFinder.h"

#include <optional>
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
    return core::datetext::dueDate(QDate(year, vaccinated.month(), day));
}

std::optional<qint64> dogIdOf(const QSqlDatabase &db, const QString &name)
{
    kennel::DogFinder dogs(db, {db::fields::rowid});
    if (!dogs.find(name))
        return std::nullopt;
    return dogs.value(db::fields::rowid).toLongLong();
}

core::WriteResult<> addVaccination(QSqlDatabase db, const QString &dog, qint64 dogId,
                                   const QString &type, const QDate &due, const QDate &vaccinated)
{
    db::Transaction transaction(db);
    db::LoggedChange logged(db, QStringLiteral("Added a vaccination of %1").arg(dog));
    db::TableCursor vaccinations(db, db::tables::vaccinations);
    if (!vaccinations.addNew())
        return core::failure(vaccinations.lastError());
    vaccinations.setValue(db::fields::vaccinations::dogName, dog);
    vaccinations.setValue(db::fields::vaccinations::dogId, dogId);
    vaccinations.setValue(db::fields::vaccinations::kind, type);
    vaccinations.setValue(db::fields::vaccinations::due, core::datetext::toStored(due));
    vaccinations.setValue(db::fields::vaccinations::given, core::datetext::toStored(vaccinated));
    if (!vaccinations.update())
        return core::failure(vaccinations.lastError());
    return logged.land(transaction);
}

QStringList vaccinationHistory(const QSqlDatabase &db, const QString &dog)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(db::selectFrom(db::tables::vaccinations,
                             {db::fields::vaccinations::given, db::fields::vaccinations::due,
                              db::fields::vaccinations::kind}) %
              QStringLiteral(" WHERE ") % db::quoted(db::fields::vaccinations::dogName) %
              QStringLiteral(" = ? ORDER BY rowid DESC"));
    q.addBindValue(dog);
    if (!db::execRead(q))
        return {};
    QStringList lines;
    const db::QueryColumns columns(q);
    while (q.next()) {
        lines << core::datetext::display(columns.value(db::fields::vaccinations::given)) +
                     QStringLiteral("     ") +
                     core::datetext::display(columns.value(db::fields::vaccinations::due)) +
                     QStringLiteral("    ") +
                     columns.value(db::fields::vaccinations::kind).toString();
    }
    db::readToEnd(q);
    return lines;
}

QStringList notesOf(QSqlDatabase db, qint64 dogId)
{
    db::Transaction cleanup(db);
    QSqlQuery empty(db);
    const QString note = db::quoted(db::fields::notes::text);
    empty.prepare(QStringLiteral("DELETE FROM ") % db::quoted(db::tables::notes) %
                  QStringLiteral(" WHERE ") % db::quoted(db::fields::notes::dogId) %
                  QStringLiteral(" = ? AND (") % note % QStringLiteral(" IS NULL OR ") % note %
                  QStringLiteral(" = '')"));
    empty.addBindValue(dogId);
    empty.exec();
    cleanup.commit();

    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(
        db::selectFrom(db::tables::notes, {db::fields::notes::date, db::fields::notes::text}) %
        QStringLiteral(" WHERE ") % db::quoted(db::fields::notes::dogId) %
        QStringLiteral(" = ? ORDER BY rowid DESC"));
    q.addBindValue(dogId);
    if (!db::execRead(q))
        return {};
    QStringList lines;
    const db::QueryColumns columns(q);
    while (q.next()) {
        lines << core::datetext::display(columns.value(db::fields::notes::date)) +
                     QStringLiteral("      ") + columns.value(db::fields::notes::text).toString()
              << QString(97, QLatin1Char('_'));
    }
    db::readToEnd(q);
    return lines;
}

core::WriteResult<> addNote(QSqlDatabase db, qint64 dogId, const QDate &date, const QString &note)
{
    db::Transaction transaction(db);
    // An empty note is cleared away when the notes are next read, unlogged; as a change it
    // could not be undone and would stand before every older one.
    std::optional<db::LoggedChange> logged;
    if (!note.isEmpty())
        logged.emplace(db, QStringLiteral("Added a note"));
    db::TableCursor notes(db, db::tables::notes);
    if (!notes.addNew())
        return core::failure(notes.lastError());
    notes.setValue(db::fields::notes::dogId, dogId);
    notes.setValue(db::fields::notes::date, core::datetext::toStored(date));
    notes.setValue(db::fields::notes::text, note);
    if (!notes.update())
        return core::failure(notes.lastError());
    return logged ? logged->land(transaction) : transaction.commit();
}

} // namespace health
