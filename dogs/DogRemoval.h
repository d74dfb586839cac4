#pragma once

#include "core/WriteResult.h"
#include "kennel/NameLinks.h"

#include <QSqlDatabase>

namespace dogs {

// What a dog's deletion touches: the records that name it, and its own notes, vaccinations
// and health results, which go with it.
struct DogRemoval
{
    qint64 dogId = 0;
    QString name;
    QList<kennel::Naming> naming; // left out when another dog has the name: they are not its alone
    bool nameShared = false;
    qint64 notes = 0;
    qint64 vaccinations = 0;
    qint64 healthResults = 0;
    qint64 seasons = 0;
    qint64 weighings = 0;
    qint64 photos = 0;
    qint64 showResults = 0;
    qint64 accountEntries = 0; // kept: they record what happened
    qint64 offspring() const;
};

core::WriteResult<DogRemoval> plannedRemoval(const QSqlDatabase &kennel, qint64 dogId);
// "Delete Rex? ..." for the user.
QString removalQuestion(const DogRemoval &removal);

// Deletes the dog with its notes, vaccinations, health results, seasons, weighings, photos
// (their files stay in the photos folder) and show results, all or
// nothing; its accounts entries, waiting-list matches and contracts stay without the dog; with
// `clearParents` its offspring lose its name as their sire or dam, otherwise they
// keep it as a parent not recorded. Matings, litters and sales keep the name: they record what
// happened.
core::WriteResult<> removeDog(const QSqlDatabase &kennel, const DogRemoval &removal,
                              bool clearParents);

} // namespace dogs
