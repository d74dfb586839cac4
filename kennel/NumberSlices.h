#pragma once

#include <functional>
#include <QString>
#include <vector>

namespace kennel {

// Runs `read` on "WHERE <idField> IN (...)" for the numbers, 500 at a time: SQLite limits how
// many values one statement takes. Stops at the first problem and answers it, or empty.
QString eachSliceOf(const std::vector<qint64> &numbers, const QString &idField,
                    const std::function<QString(const QString &where)> &read);

} // namespace kennel
