#include "genetics/Ancestors.h"

#include <algorithm>
#include <cstddef>

namespace genetics {

FounderFigures founderFigures(const Pedigree &p, const std::vector<double> &contributions)
{
    FounderFigures figures;
    double sumOfSquares = 0.0;
    for (const int dog : p.order) {
        const double contribution = contributions[size_t(dog)];
        if (contribution <= 0.0)
            continue;
        const int unknownParents =
            int(!p.known(p.sire[size_t(dog)])) + int(!p.known(p.dam[size_t(dog)]));
        if (unknownParents == 0)
            continue;
        const double weight = 0.5 * unknownParents;
        const double share = weight * contribution;
        figures.founders.push_back({dog, weight, share});
        figures.count += weight;
        sumOfSquares += share * share;
    }
    std::stable_sort(figures.founders.begin(), figures.founders.end(),
                     [](const Founder &a, const Founder &b) { return a.share > b.share; });
    if (sumOfSquares > 0.0)
        figures.equivalents = 1.0 / sumOfSquares;
    return figures;
}

AncestorGraph ancestorGraph(const Pedigree &p, const std::vector<int> &reference,
                            const std::vector<double> &contributions)
{
    AncestorGraph graph;
    std::vector<int> placeOf(size_t(p.size()), -1);
    for (const int dog : p.order) {
        if (contributions[size_t(dog)] <= 0.0)
            continue;
        placeOf[size_t(dog)] = int(graph.dogs.size());
        graph.dogs.push_back(dog);
        graph.contribution.push_back(contributions[size_t(dog)]);
    }
    graph.sire.reserve(graph.dogs.size());
    graph.dam.reserve(graph.dogs.size());
    for (const int dog : graph.dogs) {
        for (const auto &[parent, places] :
             {std::pair{p.sire[size_t(dog)], &graph.sire}, {p.dam[size_t(dog)], &graph.dam}})
            places->push_back(p.known(parent) ? placeOf[size_t(parent)] : unknown);
    }
    graph.reference.assign(graph.dogs.size(), false);
    for (const int dog : reference) {
        if (placeOf[size_t(dog)] >= 0 && !graph.reference[size_t(placeOf[size_t(dog)])]) {
            graph.reference[size_t(placeOf[size_t(dog)])] = true;
            ++graph.referenceSize;
        }
    }
    return graph;
}

EffectiveAncestors effectiveAncestors(const AncestorGraph &graph, const std::atomic<bool> *stop)
{
    EffectiveAncestors result;
    const size_t places = graph.dogs.size();
    if (places == 0 || graph.referenceSize == 0)
        return result;
    const double each = 1.0 / graph.referenceSize;
    // An ancestor is a parent, or a founder: a reference dog whose genes no known parent
    // explains stands for its unknown parents itself.
    std::vector<bool> candidate(places, false);
    for (size_t i = 0; i < places; ++i) {
        for (const int parent : {graph.sire[i], graph.dam[i]}) {
            if (parent == unknown)
                candidate[i] = true;
            else
                candidate[size_t(parent)] = true;
        }
    }
    std::vector<bool> taken(places, false);
    std::vector<double> contribution(places), fromTaken(places);
    double sumOfSquares = 0.0;
    while (result.explained < 1.0 - unexplainedShare &&
           int(result.taken.size()) < mostEffectiveAncestors) {
        if (stop && stop->load(std::memory_order_relaxed))
            break;
        // Contributions with the pedigrees of the ancestors taken cut away...
        for (size_t i = 0; i < places; ++i)
            contribution[i] = graph.reference[i] ? each : 0.0;
        for (size_t i = places; i-- > 0;) {
            if (taken[i])
                continue;
            const double half = 0.5 * contribution[i];
            for (const int parent : {graph.sire[i], graph.dam[i]}) {
                if (parent != unknown)
                    contribution[size_t(parent)] += half;
            }
        }
        // ...and the share of each dog's genes that comes from them.
        size_t best = places;
        double bestMarginal = 0.0;
        for (size_t i = 0; i < places; ++i) {
            if (taken[i]) {
                fromTaken[i] = 1.0;
                continue;
            }
            double share = 0.0;
            for (const int parent : {graph.sire[i], graph.dam[i]}) {
                if (parent != unknown)
                    share += 0.5 * fromTaken[size_t(parent)];
            }
            fromTaken[i] = share;
            if (!candidate[i])
                continue;
            const double marginal = contribution[i] * (1.0 - share);
            if (marginal > bestMarginal) {
                bestMarginal = marginal;
                best = i;
            }
        }
        if (best == places)
            break;
        taken[best] = true;
        result.taken.push_back({graph.dogs[best], graph.ids.empty() ? 0 : graph.ids[best],
                                graph.contribution[best], bestMarginal});
        result.explained += bestMarginal;
        sumOfSquares += bestMarginal * bestMarginal;
    }
    if (sumOfSquares > 0.0)
        result.effective = 1.0 / sumOfSquares;
    return result;
}

} // namespace genetics
