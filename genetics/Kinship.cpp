#include "genetics/Kinship.h"

#include <cstddef>
#include <limits>

namespace genetics {

std::vector<double> geneContributions(const Pedigree &p, const std::vector<int> &reference)
{
    std::vector<double> shares(size_t(p.size()), 0.0);
    if (reference.empty())
        return shares;
    const double each = 1.0 / double(reference.size());
    for (const int dog : reference)
        shares[size_t(dog)] += each;
    for (auto it = p.order.rbegin(); it != p.order.rend(); ++it) {
        const double half = 0.5 * shares[size_t(*it)];
        if (half == 0.0)
            continue;
        for (const int parent : {p.sire[size_t(*it)], p.dam[size_t(*it)]}) {
            if (p.known(parent))
                shares[size_t(parent)] += half;
        }
    }
    return shares;
}

std::vector<double> meanKinship(const Pedigree &p, const std::vector<double> &inbreeding,
                                const std::vector<double> &contributions)
{
    std::vector<double> kinship(size_t(p.size()), std::numeric_limits<double>::quiet_NaN());
    for (const int dog : p.order) {
        const size_t d = size_t(dog);
        // The variance of Mendelian sampling: what the parents leave unexplained.
        double mendelian = 1.0;
        double fromParents = 0.0;
        for (const int parent : {p.sire[d], p.dam[d]}) {
            if (!p.known(parent))
                continue;
            mendelian -= 0.25 * (1.0 + inbreeding[size_t(parent)]);
            fromParents += 0.5 * kinship[size_t(parent)];
        }
        // Held as twice the coancestry (a relationship) until the end.
        kinship[d] = mendelian * contributions[d] + fromParents;
    }
    for (const int dog : p.order)
        kinship[size_t(dog)] *= 0.5;
    return kinship;
}

std::vector<double> equivalentGenerations(const Pedigree &p)
{
    std::vector<double> generations(size_t(p.size()), std::numeric_limits<double>::quiet_NaN());
    for (const int dog : p.order) {
        double sum = 0.0;
        for (const int parent : {p.sire[size_t(dog)], p.dam[size_t(dog)]}) {
            if (p.known(parent))
                sum += 0.5 * (1.0 + generations[size_t(parent)]);
        }
        generations[size_t(dog)] = sum;
    }
    return generations;
}

} // namespace genetics
