#include "dogs/AskedRemovals.h"

#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "dogs/DogMerge.h"
#include "dogs/DogRemoval.h"
#include "ui/Removals.h"

namespace dogs {

void deleteDogAsked(const ui::Removals &removals, qint64 dogId)
{
    if (!removals.mayStart())
        return;
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    const auto planned = plannedRemoval(kennel, dogId);
    if (!planned) {
        core::tellNothingChanged(QStringLiteral("The deletion"), planned.problem());
        return;
    }
    const DogRemoval &removal = planned.value();
    removals.carryOut(
        removalQuestion(removal), QStringLiteral("Delete Dog"),
        removal.offspring() == 0
            ? QString()
            : QStringLiteral("Clear the name %1 from its %L2 offspring as well? No keeps it "
                             "there, as a parent that is not recorded.")
                  .arg(removal.name)
                  .arg(removal.offspring()),
        QStringLiteral("The deletion"),
        [&](bool clearParents) { return removeDog(kennel, removal, clearParents); });
}

void mergeDogsAsked(const ui::Removals &removals, qint64 kept, qint64 merged,
                    const QString &keptName, const QString &mergedName,
                    const QHash<QString, QVariant> &chosen)
{
    if (!removals.mayStart())
        return;
    const QString question =
        QStringLiteral("Merge %1 into %2? The record of %1 is deleted; every record naming "
                       "either dog then names the one kept, and the notes and vaccinations of "
                       "%1 become its own.")
            .arg(mergedName, keptName);
    removals.carryOut(
        question, QStringLiteral("Merge Dogs"), {}, QStringLiteral("The merge"),
        [&](bool) { return mergeDogs(db::DatabaseFiles::kennel(), kept, merged, chosen); });
}

} // namespace dogs
