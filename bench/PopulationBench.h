#pragma once

namespace bench {

// Times the population figures of the kennel in the working folder for a reference population
// of about a tenth of its dogs: every dog's mean kinship, the other figures, the effective
// ancestors, the screen opened and filled, and the memory they add.
void benchPopulation();

} // namespace bench
