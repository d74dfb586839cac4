#include "pedigree/PedigreeRecord.h"

namespace pedigree {

QString slotName(int generation, bool sire, int pair)
{
    return QStringLiteral("%1%2%3")
        .arg(generation)
        .arg(sire ? QLatin1Char('s') : QLatin1Char('d'))
        .arg(pair);
}

QString slotOfDog(int generation, int n)
{
    return slotName(generation, n % 2 == 1, (n + 1) / 2);
}

QStringList slotNames(int generations)
{
    QStringList names;
    for (int g = 1; g <= generations; ++g) {
        for (int n = 1; n <= (1 << g); ++n)
            names << slotOfDog(g, n);
    }
    return names;
}

PedigreeRecord &currentPedigree()
{
    static PedigreeRecord record;
    return record;
}

} // namespace pedigree
