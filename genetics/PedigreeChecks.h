#pragma once

#include "genetics/KennelGraph.h"

#include <QSqlDatabase>
#include <QString>
#include <vector>

namespace genetics {

struct PedigreeProblem
{
    QString kind; // "Loop", "Sire recorded as Female", ...
    QString dog;
    qint64 dogId; // 0 for a name no dog has
    QString details;
    // Worth knowing, but no fault: a parent named and never recorded.
    bool information = false;
    // For a likely duplicate, the earlier record that this one may be.
    qint64 earlierId = 0;
    QString earlier = {};
};

// Every fault that makes a pedigree wrong: loops; a sire recorded as "Female" or a dam as
// "Male"; a parent born after its offspring or less than six months before; a name that
// more than one dog has, so that a parent of that name is ambiguous; a sex other than
// "Male" or "Female", which leaves the dog out of every Sire and Dam list. After them, as
// information, every parent name that no dog has, with the offspring that name it.
std::vector<PedigreeProblem> pedigreeProblems(const KennelGraph &graph);

// Dogs that are likely one dog recorded twice: names equal but for case, accents, blanks and
// punctuation, or the same registration or microchip number. Each pair once, the later
// record named with the earlier in its details.
std::vector<PedigreeProblem> likelyDuplicates(const QSqlDatabase &kennel);

} // namespace genetics
