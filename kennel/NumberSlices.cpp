#include "kennel/NumberSlices.h"

#include "db/SqlText.h"

#include <algorithm>
#include <QStringBuilder>
#include <QStringList>

namespace kennel {

QString eachSliceOf(const std::vector<qint64> &numbers, const QString &idField,
                    const std::function<QString(const QString &where)> &read)
{
    constexpr std::size_t slice = 500;
    for (std::size_t first = 0; first < numbers.size(); first += slice) {
        QStringList listed;
        for (std::size_t i = first; i < std::min(numbers.size(), first + slice); ++i)
            listed << QString::number(numbers[i]);
        const QString problem =
            read(QStringLiteral(" WHERE ") % db::quoted(idField) % QStringLiteral(" IN (") %
                 listed.join(QLatin1Char(',')) % QLatin1Char(')'));
        if (!problem.isEmpty())
            return problem;
    }
    return {};
}

} // namespace kennel
