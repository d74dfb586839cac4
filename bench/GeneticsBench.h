#pragma once

namespace bench {

// Times the genetics on the kennel in the working folder: reading the graph beside a bare
// scan of the same columns, the inbreeding of every dog, one litter, the best sires for a
// dam, and the memory the graph adds.
void benchGenetics();

} // namespace bench
