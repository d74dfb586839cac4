#pragma once

#include <functional>
#include <QString>

namespace bench {

// Median wall time of `runs` calls of `work`, in milliseconds; `prepare` runs before each
// call, outside the timing.
double medianMs(int runs, const std::function<void()> &work,
                const std::function<void()> &prepare = {});

void printHeader();
void printLine(const QString &operation, double ms, double floorMs);
void printValue(const QString &what, const QString &value);

// Resident memory of this process, in MB.
double residentMb();

} // namespace bench
