#pragma once

#include <QSqlDatabase>
#include <QString>

namespace breeding {

// What a planned mating's litter is warned of: its inbreeding against the kennel's limit,
// and the DNA tests for which it can have affected pups.
struct MatingHealth
{
    QString coi;
    bool coiAboveLimit = false;
    QString affected; // empty when no test can give affected pups
};

// Nothing to say (empty texts) until both names are dogs of the kennel.
MatingHealth matingHealth(const QSqlDatabase &kennel, const QString &sire, const QString &dam);

} // namespace breeding
