#pragma once

#include <QString>

namespace bench {

struct KennelSize
{
    int dogs = 100000;
    int matings = 50000;
    int litters = 10000;
};

inline int contactCount(const KennelSize &size)
{
    return size.dogs / 5 > 50 ? size.dogs / 5 : 50;
}

// Writes a synthetic kennel of realistic shape into the working folder's database files:
// pedigrees many generations deep (some parents "Not On Record", some never recorded),
// contacts, matings, litters, vaccinations, notes and sales.
QString generateKennel(const KennelSize &size);

// Matings that the dog records screen's clean-up removes, so each timed opening has some.
void addUnfinishedMatings(int count);

} // namespace bench
