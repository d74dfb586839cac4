#pragma once

#include "pedigree/PedigreeRecord.h"
#include "report/PageModel.h"

#include <QHash>

namespace pedigree {

// A chart of a deep pedigree: a column per generation, each dog midway between its sire
// (above) and dam (below). Thirty-two ancestors of the last generation go on a page; the
// dogs nearer the subject are repeated on every page they reach. `inbreeding` stands
// under the title of every page.
// With `marks`, each dog named in it has its mark after its name, and `legend` says what
// they are under the title. Each dog named in `titles` has its titles with its name, where the
// breeder shows them.
report::Layout pedigreeChart(const PedigreeRecord &record, int generations,
                             const QString &inbreeding = {},
                             const QHash<QString, QString> &marks = {}, const QString &legend = {},
                             const QHash<QString, QString> &titles = {});

} // namespace pedigree
