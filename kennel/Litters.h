#pragma once

#include "core/DataRows.h"
#include "core/Moments.h"
#include "core/WriteResult.h"

#include <functional>
#include <optional>
#include <QDate>
#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <vector>

// Which litter a pup belongs to and which pups a litter has, decided here for every feature
// (weights, whelping, the waiting list, deposits, sales): a pup is of the litter its whelping
// recorded, or else of the litter of its sire and dam born on the day the litter's pups were
// given as their birthday.
namespace kennel {

// The birthday a litter's pup records were given: the litter's day, except that a litter of
// 1900 (a two-digit year 00 read into the wrong hundred years) gave its pups 2000.
QDate pupsBirthday(const QDate &litterDay);

// A litter as recorded.
struct Litter
{
    qint64 id = 0;
    QString sire;
    QString dam;
    QDate born;
    int size = 0;
    QString breed;

    // "Bella x Rex, 3/4/2027"
    QString label() const;
};
// Every litter, latest first; nothing when they could not be read (the user was told).
std::optional<std::vector<Litter>> allLitters(const QSqlDatabase &kennel);
std::optional<Litter> litterWithId(const QSqlDatabase &kennel, qint64 litterId);
// A litter as the file holds it, for pages that show what was typed: every field as stored.
struct StoredLitter
{
    QString sire, dam, size, born;
};
// Every litter, the latest stored day first. The problem, or empty.
QString eachStoredLitter(const QSqlDatabase &kennel,
                         const std::function<void(const StoredLitter &)> &each);

// For a feature that sorts its own rows by a litter: an SQL expression of the litter's dam and
// sire ("dam sire") for the litter whose number is the caller's SQL expression `litterId`.
QString litterParentsTerm(const QString &litterId);

// The litters of each of these sires, keyed by the sire's name as the litters store it: rows of
// the litter's number, sire, dam, size, day and breed.
QHash<QString, core::DataSet> littersOfSires(const QSqlDatabase &kennel, const QStringList &sires);

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
// One placeholder dog for pup `number` of the litter, "PPLITTER<litter><number>", bred and
// owned by the kennel; inside the caller's transaction. Answers its id.
core::WriteResult<qint64> addPlaceholderPup(QSqlDatabase db, qint64 litterId,
                                            const NewLitter &litter, int number);

// A pup of a litter, with how it was born where its whelping was recorded.
struct Pup
{
    qint64 dogId = 0;
    QString name;
    QString sex;
    bool whelped = false;  // its birth was recorded at the whelping
    QString collar;        // empty where none was recorded
    double birthGrams = 0; // 0 where not recorded
    core::moments::Moment born;
};

// The litter's pups: those its whelping recorded, in birth order, then the other dogs of its
// sire and dam born on its pups' birthday, by number. Nothing when they could not be read.
std::optional<std::vector<Pup>> pupsOf(const QSqlDatabase &kennel, qint64 litterId,
                                       const QString &sire, const QString &dam,
                                       const QDate &litterDay);

// The litter the dog was born in, by the same rule: the one its whelping recorded, else the
// first recorded litter of its sire and dam whose pups' birthday is its own; 0 for none.
// Nothing when it could not be read.
std::optional<qint64> litterOf(const QSqlDatabase &kennel, qint64 dogId);

} // namespace kennel
