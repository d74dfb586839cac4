#pragma once

#include <QString>

namespace bench {

// The record screens, pedigrees, breeding, health, sales, the litter histories and
// start-up, on the open kennel; `self` is this program, for the benches that need a process
// of their own.
void benchRecords(const QString &self);

} // namespace bench
