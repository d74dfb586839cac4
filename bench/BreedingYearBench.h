#pragma once

namespace bench {

// Adds seasons and progesterone tests to the kennel in the working folder (20,000 and 50,000)
// and times "Seasons Expected" to its first page, one season's estimate and the calendar
// export.
void benchBreedingYear();

} // namespace bench
