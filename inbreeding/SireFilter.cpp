#include "inbreeding/SireFilter.h"

#include "genetics/Population.h"
#include "kennel/Dogs.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace inbreeding {
namespace {

} // namespace

RankedSires rankedSires(const QSqlDatabase &kennel, genetics::KennelGenetics &genetics, int dam,
                        const SireFilter &filter, const QDate &today)
{
    RankedSires ranked;
    const genetics::DnaStatuses &dna = genetics.dnaStatuses(kennel);
    if (!dna.problem().isEmpty()) {
        ranked.problem = dna.problem();
        return ranked;
    }
    std::unordered_set<qint64> own;
    if (filter.ownOnly) {
        if (const QString problem = kennel::kennelMales(kennel, &own); !problem.isEmpty()) {
            ranked.problem = problem;
            return ranked;
        }
    }
    const genetics::KennelGraph &graph = genetics.graph();
    const qint64 youngest = today.addMonths(-filter.youngestMonths).toJulianDay();
    const qint64 oldest = today.addYears(-filter.oldestYears).toJulianDay();
    ranked.choices = genetics.bestSires(dam);
    const std::vector<double> kinship = genetics.meanKinship(
        genetics::referencePopulation(graph, genetics::defaultReference(today)).dogs);
    std::erase_if(ranked.choices, [&](genetics::SireChoice &choice) {
        if (filter.ownOnly && !own.contains(graph.id(choice.dog)))
            return true;
        const int born = graph.born(choice.dog);
        if (filter.ageLimits && born != 0 && (born > youngest || born < oldest))
            return true;
        choice.meanKinship = kinship[size_t(choice.dog)];
        if (!std::isnan(choice.litterInbreeding))
            choice.affectedRisk = dna.showingRisk(choice.dog, dam);
        return filter.noAffectedRisk &&
               (std::isnan(choice.affectedRisk) || choice.affectedRisk > 0.0);
    });
    return ranked;
}

} // namespace inbreeding
