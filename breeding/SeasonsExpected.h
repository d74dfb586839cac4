#pragma once

#include "report/ReportLayout.h"

namespace breeding {

// "Seasons Expected": every living bitch's next season, soonest first.
report::Report seasonsExpectedReport();

} // namespace breeding
