#pragma once

#include "report/ReportLayout.h"

#include <functional>

class QWidget;

namespace inbreeding {

// "Check Pedigrees": every fault that makes a pedigree wrong, or a line saying there is none.
report::Report pedigreeChecks();

// "Inbreeding of Every Dog": every dog's inbreeding over all generations and over ten,
// highest first. `progress(done, of)` is told how far the work has gone and answers false
// to give up, which leaves the report empty.
report::Report everyDogsInbreeding(const std::function<bool(int, int)> &progress = {});

// A progress callback for the above that shows a progress dialog once the work has taken
// a second, with a button to give up.
std::function<bool(int, int)> progressDialog(QWidget *parent);

} // namespace inbreeding
