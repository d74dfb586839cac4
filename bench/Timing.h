#pragma once

#include <functional>
#include <QString>

namespace bench {

// A run that only shows the bench still works end to end: every operation once, and the
// fixed-size files and kennels a hundredth of their size.
void setQuick(bool quick);
bool quick();
// The size to use: `full`, or a hundredth of it in a quick run.
int sized(int full);

// Median wall time of `runs` calls (one in a quick run) of `work`, in milliseconds; `prepare` runs
// before each call, outside the timing.
double medianMs(int runs, const std::function<void()> &work,
                const std::function<void()> &prepare = {});

void printHeader();
void printLine(const QString &operation, double ms, double floorMs);
void printValue(const QString &what, const QString &value);

// Resident memory of this process, in MB, once the program has been idle long enough to
// hand back the memory that work just done has freed.
double residentMb();

} // namespace bench
