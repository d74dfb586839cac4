#pragma once

#include "core/PackedTexts.h"
#include "core/WriteResult.h"

#include <QDate>
#include <QSqlDatabase>
#include <QStringList>
#include <vector>

namespace breeding {

// Adds a mating row. Empty on success, otherwise what went wrong.
core::WriteResult<> addMating(QSqlDatabase db, const QString &sire, const QString &dam,
                              const QDate &mated, const QDate &due);

// The matings a litter can come from: "dam With sire" for every row that names a dam, in
// stored order, each line with its row. A busy kennel's dams and sires recur from mating to
// mating, so each name is kept once and a line as the places of its two names.
struct MatingLines
{
    core::PackedTexts names;
    std::vector<std::pair<quint32, quint32>> damAndSire;
    std::vector<qint64> rows;

    qsizetype size() const { return qsizetype(rows.size()); }
    QString line(qsizetype at) const;
};
MatingLines matingLines(const QSqlDatabase &db);

struct Mating
{
    QString sire;
    QString dam;
    QString damBreed; // the dam's breed, empty when she has no record
};
Mating viewMating(const QSqlDatabase &db, qint64 row);

struct NewLitter
{
    QString sire;
    QString dam;
    QString breed;
    int pups = 0;
    QDate born;
};
// Writes the litter and one placeholder dog per pup in one transaction; answers the new
// litter's id.
core::WriteResult<qint64> addLitter(QSqlDatabase db, const NewLitter &litter);

// The lines of a dog's mating history, each followed by a line " ".
QStringList matingHistory(const QSqlDatabase &db, const QString &dog);

} // namespace breeding
