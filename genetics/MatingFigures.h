#pragma once

#include "genetics/Inbreeding.h"
#include "genetics/Pedigree.h"

#include <vector>

namespace genetics {

struct CommonAncestor
{
    int dog;
    int sireSide; // nearest generation on the sire's side, the sire being generation 1
    int damSide;
    double part; // of the litter's inbreeding
};

// What a planned litter of `sire` and `dam` would be; the litter is generation 0.
struct MatingFigures
{
    double inbreeding = 0.0; // over every known generation
    double inbreedingChosen = 0.0;
    double relationship = 0.0; // Wright's, of sire and dam
    double ancestorLoss = 0.0; // percent of the 62 places of generations 1 to 5
    int completeGenerations = 0;
    int deepestGeneration = 0;
    std::vector<CommonAncestor> common; // largest part first
};

// Neither parent may lie in or below a loop; an unknown parent is allowed.
MatingFigures matingFigures(const Pedigree &pedigree, Inbreeding &inbreeding, int sire, int dam,
                            int generations);

// The litter's inbreeding when a dog's parents count as known only where it stands within
// the first `generations` - 1 generations of the litter's pedigree at its nearest place.
double inbreedingOver(const Pedigree &pedigree, int sire, int dam, int generations);

} // namespace genetics
