#pragma once

#include "pedigree/PedigreeRecord.h"
#include "report/PageModel.h"

namespace pedigree {

// A chart of a deep pedigree: a column per generation, each dog midway between its sire
// (above) and dam (below). Thirty-two ancestors of the last generation go on a page; the
// dogs nearer the subject are repeated on every page they reach. `inbreeding` stands
// under the title of every page.
report::Layout pedigreeChart(const PedigreeRecord &record, int generations,
                             const QString &inbreeding = {});

} // namespace pedigree
