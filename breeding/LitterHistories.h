#pragma once

#include "report/ReportLayout.h"

namespace breeding {

// "Litter Histories": every mating with, under it, every litter of its sire.
report::Report litterHistories();

} // namespace breeding
