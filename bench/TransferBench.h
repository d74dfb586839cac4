#pragma once

namespace bench {

// Times the CSV export of the kennel in the working folder, an import of 100,000 dogs into
// an empty kennel, and the check of a file of 1,000,000 rows with the memory it takes.
void benchTransfer();

} // namespace bench
