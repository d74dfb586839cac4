#pragma once

#include "genetics/Population.h"

#include <vector>

class QChart;

namespace population {

// The mean COI and mean kinship of the dogs born each year, in percent.
QChart *diversityByYearChart(const std::vector<genetics::YearFigures> &years);
// The number of dogs born each year.
QChart *bornPerYearChart(const std::vector<genetics::YearFigures> &years);

} // namespace population
