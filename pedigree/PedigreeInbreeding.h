#pragma once

#include "pedigree/PedigreeRecord.h"

#include <QString>

namespace pedigree {

// The inbreeding of the pedigree on show, as "COI 12.50% (all generations)" and the same
// over ten generations joined by `separator`: the subject's, or for a possible mating the
// litter's; the loop's dogs where there is a loop, and nothing when the subject is no dog.
QString inbreedingText(const PedigreeRecord &record, const QString &separator);

} // namespace pedigree
