#pragma once

#include "report/ReportLayout.h"

namespace pedigree {

// The three ancestor columns with their "Sire :" / "Dam :" captions and the 24 lines that join
// each name to its parents; shared by the certificate and the receipt with pedigree.
QList<report::Element> pedigreeColumns();

// "3 Generation Pedigree": the certificate printed from the pedigreedata row.
report::Report printablePedigree();

} // namespace pedigree
