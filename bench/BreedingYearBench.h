#pragma once

namespace bench {

// Adds seasons, progesterone tests and weighings to the kennel in the working folder (20,000,
// 50,000 and 500,000) and times "Seasons Expected" to its first page, one season's estimate, a
// litter's weights chart drawn and the calendar export.
void benchBreedingYear();

} // namespace bench
