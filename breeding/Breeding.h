#pragma once

#include "core/WriteResult.h"

#include <optional>
#include <QDate>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <vector>

namespace breeding {

// Adds a mating row. Empty on success, otherwise what went wrong.
core::WriteResult<> addMating(QSqlDatabase db, const QString &sire, const QString &dam,
                              const QDate &mated, const QDate &due);

// The matings a litter can come from: every row that names a dam, in stored order.
std::vector<qint64> matingRows(const QSqlDatabase &db);

// The lines that stand for mating rows, "dam With sire", read one at a time as a list shows
// them: half a million matings would otherwise hold tens of megabytes for twenty lines on
// view.
class MatingLineReader
{
public:
    explicit MatingLineReader(const QSqlDatabase &db);
    QString line(qint64 row);
    // The first row from `from` on whose line starts with the text, A-Z blind to case; none
    // when no row does.
    std::optional<qint64> firstStartingWith(const QString &text, qint64 from);

private:
    QSqlQuery m_line;
    QSqlQuery m_starting;
};

struct Mating
{
    QString sire;
    QString dam;
    QString damBreed; // the dam's breed, empty when she has no record
};
Mating viewMating(const QSqlDatabase &db, qint64 row);

// The lines of a dog's mating history, each followed by a line " ".
QStringList matingHistory(const QSqlDatabase &db, const QString &dog);

} // namespace breeding
