#pragma once

#include "genetics/KennelGraph.h"

#include <QString>
#include <vector>

namespace genetics {

struct PedigreeProblem
{
    QString kind; // "Loop", "Sire recorded as Female", ...
    QString dog;
    qint64 dogId;
    QString details;
};

// Every fault that makes a pedigree wrong: loops; a sire recorded as "Female" or a dam as
// "Male"; a parent born after its offspring or less than six months before; a name that
// more than one dog has, so that a parent of that name is ambiguous.
std::vector<PedigreeProblem> pedigreeProblems(const KennelGraph &graph);

} // namespace genetics
