#pragma once

#include "core/Moments.h"
#include "core/WriteResult.h"
#include "kennel/Litters.h"

#include <optional>
#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QTime>
#include <vector>

// A litter's whelping: its pups as they were born, kept with their dog records as one change.
namespace kennel {

// One pup as it was born, in the order of birth.
struct WhelpedPup
{
    qint64 dogId = 0; // 0 for a pup the kennel has no record of yet
    QString name;
    QTime time;  // invalid where not noted
    QString sex; // "Male", "Female" or empty
    QString colour;
    QString markings;
    QString collar;
    double birthGrams = 0; // 0 where not weighed
    bool alive = true;
    QDate died; // invalid while it lives
};

// The litter's pups as their whelping was recorded, then its other pups (the placeholders
// "Add Litter and Pups" made, or dogs of its sire and dam born on its day). Nothing when they
// could not be read.
std::optional<std::vector<WhelpedPup>> whelpingOf(const QSqlDatabase &kennel, const Litter &litter);
// When each pup was born: on the litter's day, and on the next from the first time that is
// earlier than the one before it (the whelping went on past midnight).
std::vector<core::moments::Moment> birthMoments(const Litter &litter,
                                                const std::vector<WhelpedPup> &pups);
// Records the whelping as one change: each pup's dog record gets its sex, colour, date of birth
// and, where it was stillborn or died, its date of death; a pup without a record gets a
// placeholder one as "Add Litter and Pups" makes them.
core::WriteResult<> saveWhelping(QSqlDatabase kennel, const Litter &litter,
                                 const std::vector<WhelpedPup> &pups);

// Inside the caller's transaction: the births recorded of a dog deleted go with it; those of a
// dog merged into another become the other's. The problem, or empty.
QString forgetBirths(const QSqlDatabase &kennel, qint64 dogId);
QString moveBirths(const QSqlDatabase &kennel, qint64 from, qint64 to);

} // namespace kennel
