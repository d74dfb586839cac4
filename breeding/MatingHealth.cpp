#include "breeding/MatingHealth.h"

#include "genetics/KennelGenetics.h"

#include <QStringList>

namespace breeding {

MatingHealth matingHealth(const QSqlDatabase &kennel, const QString &sire, const QString &dam)
{
    genetics::KennelGenetics &genetics = genetics::KennelGenetics::current(kennel);
    const int sireDog = genetics.graph().find(sire);
    const int damDog = genetics.graph().find(dam);
    MatingHealth health;
    if (!genetics.problem().isEmpty() || sireDog == genetics::unknown ||
        damDog == genetics::unknown)
        return health;
    if (const QStringList loop = genetics.loopAbove(sireDog, damDog); !loop.isEmpty()) {
        health.coi = genetics::loopMessage(loop);
        return health;
    }
    const double coi = genetics.mating(sireDog, damDog, genetics::defaultGenerations).inbreeding;
    const double limit = genetics::coiLimit(kennel);
    health.coiAboveLimit = coi > limit;
    health.coi = QStringLiteral("Litter COI %1").arg(genetics::percent(coi));
    if (health.coiAboveLimit)
        health.coi +=
            QStringLiteral(", above the kennel's limit of %1").arg(genetics::percent(limit));
    const genetics::DnaStatuses &dna = genetics.dnaStatuses(kennel);
    QStringList tests;
    for (int test = 0; test < int(dna.tests().size()); ++test) {
        if (dna.litter(test, sireDog, damDog).canProduceAffected)
            tests << dna.tests()[size_t(test)].name;
    }
    if (!tests.isEmpty())
        health.affected =
            tests.join(QStringLiteral(", ")) + QStringLiteral(": ") + genetics::affectedWarning();
    return health;
}

} // namespace breeding
