#pragma once

#include <vector>

namespace genetics {

inline constexpr int unknown = -1;

// Dogs by index with their parents' indexes, and an order in which every dog comes after its
// parents. A dog in a loop, or descended from one, has no place in the order.
struct Pedigree
{
    std::vector<int> sire;
    std::vector<int> dam;
    std::vector<int> order;
    std::vector<int> place; // each dog's place in `order`, or -1

    int size() const { return int(sire.size()); }
    bool known(int dog) const { return dog != unknown; }
};

} // namespace genetics
