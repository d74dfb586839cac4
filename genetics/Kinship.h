#pragma once

#include "genetics/Pedigree.h"

#include <vector>

namespace genetics {

// Each dog's expected share of the genes of `reference` (distinct dogs with a place in the
// order): the reference dogs' genes traced up their pedigrees, half to each known parent.
// Zero for a dog with no descendant in the reference and none in it.
std::vector<double> geneContributions(const Pedigree &pedigree, const std::vector<int> &reference);

// Each dog's mean coancestry with the reference dogs, each reference dog with itself counted,
// from the reference's gene contributions and every dog's inbreeding: one product with
// Henderson's A = T·D·T' (up through T', down through T), never the matrix itself. NaN for a
// dog in or below a loop.
std::vector<double> meanKinship(const Pedigree &pedigree, const std::vector<double> &inbreeding,
                                const std::vector<double> &contributions);

// Each dog's equivalent complete generations: the sum over its known ancestors of a half to
// the power of the generations between them. NaN for a dog in or below a loop.
std::vector<double> equivalentGenerations(const Pedigree &pedigree);

} // namespace genetics
