#pragma once

#include "genetics/KennelGenetics.h"

#include <QDate>
#include <QSqlDatabase>
#include <vector>

namespace inbreeding {

// Which living males "Best Sires for this Dam" leaves out.
struct SireFilter
{
    bool noAffectedRisk = false;
    // Only males the kennel owns: its own name as owner, or no owner recorded.
    bool ownOnly = false;
    bool ageLimits = false;
    int youngestMonths = 12;
    int oldestYears = 12;
};

struct RankedSires
{
    std::vector<genetics::SireChoice> choices;
    QString problem;
};

// The living males for the dam, lowest litter inbreeding first, each with the share of pups
// that could show a condition, his pedigree's completeness and his mean kinship with the
// default reference population; those the filter leaves out
// are gone. A male of no known birth date is kept by the age limits.
RankedSires rankedSires(const QSqlDatabase &kennel, genetics::KennelGenetics &genetics, int dam,
                        const SireFilter &filter, const QDate &today);

} // namespace inbreeding
