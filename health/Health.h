#pragma once

#include "core/WriteResult.h"

#include <optional>
#include <QDate>
#include <QSqlDatabase>
#include <QStringList>

namespace health {

// The vaccination types, and the two whose next one is due a year later.
QStringList vaccinationTypes();
bool dueAYearLater(const QString &type);

// The next vaccination a year after this one, composed from its calendar fields with a blank
// before each number (" 3/ 15/ 2001"). A vaccination on 29 February is next due on the 28th.
QString nextDueText(const QDate &vaccinated);

// The id of the dog a seek through the name index finds, if any.
std::optional<qint64> dogIdOf(const QSqlDatabase &db, const QString &name);

// Appends a vaccination row. Empty on success, otherwise what went wrong.
core::WriteResult<> addVaccination(QSqlDatabase db, const QString &dog, qint64 dogId,
                                   const QString &type, const QDate &due, const QDate &vaccinated);

// A dog's vaccinations, newest stored first: vaccinated, five blanks, due, four blanks, type.
QStringList vaccinationHistory(const QSqlDatabase &db, const QString &dog);

// A dog's notes, newest stored first, each followed by a line of 97 underscores. Notes left
// empty are deleted on the way.
QStringList notesOf(QSqlDatabase db, qint64 dogId);
core::WriteResult<> addNote(QSqlDatabase db, qint64 dogId, const QDate &date, const QString &note);

} // namespace health
