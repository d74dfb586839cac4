#pragma once

#include "core/Moments.h"

#include <optional>
#include <QDate>
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
