#pragma once

#include "population/PopulationStudy.h"
#include "report/ReportLayout.h"

namespace population {

inline constexpr int reportedDogs = 100;

// "Population Report": the figures, the charts and the first dogs of the ranked list.
report::Report populationReport(const PopulationStudy &study,
                                const genetics::EffectiveAncestors *ancestors);

} // namespace population
