#pragma once

#include "report/PageModel.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>

namespace pedigree {

// "Pedigree Certificate": one landscape page for a buyer. The kennel's letterhead from the
// setup record, the dog's details, its ancestors over `generations` (3 to 5) as a bracket
// tree with registration number and colour, its COI, a line for the breeder's signature and
// the date of issue. An ancestor standing in more than one place carries the same number
// in each, explained at the foot.
report::Layout pedigreeCertificate(const QSqlDatabase &kennel, const QString &subject,
                                   int generations, const QDate &issued);

} // namespace pedigree
