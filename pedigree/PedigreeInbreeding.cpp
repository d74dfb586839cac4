#include "pedigree/PedigreeInbreeding.h"

#include "db/DatabaseFiles.h"
#include "genetics/KennelGenetics.h"

namespace pedigree {

QString inbreedingText(const PedigreeRecord &record, const QString &separator)
{
    genetics::KennelGenetics &genetics =
        genetics::KennelGenetics::current(db::DatabaseFiles::kennel());
    if (!genetics.problem().isEmpty())
        return genetics::coiNotAvailable();
    const genetics::KennelGraph &graph = genetics.graph();
    int sire;
    int dam;
    if (!record.subject.isEmpty()) {
        const int dog = graph.find(record.subject);
        if (dog == genetics::unknown)
            return {};
        sire = graph.pedigree().sire[dog];
        dam = graph.pedigree().dam[dog];
    } else {
        // A possible mating: the litter of the sire and dam chosen.
        sire = graph.find(record.slot(QStringLiteral("1s1")));
        dam = graph.find(record.slot(QStringLiteral("1d1")));
    }
    if (const QStringList loop = genetics.loopAbove(sire, dam); !loop.isEmpty())
        return genetics::loopMessage(loop);
    const double all = genetics.inbreeding().coancestry(sire, dam);
    const double chosen =
        genetics::inbreedingOver(graph.pedigree(), sire, dam, genetics::defaultGenerations);
    return QStringLiteral("COI ") + genetics::coiText(all, chosen, separator);
}

} // namespace pedigree
