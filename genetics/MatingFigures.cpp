#include "genetics/MatingFigures.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

namespace genetics {
namespace {

// Each ancestor's nearest generation, the first dogs being generation 1; none beyond `last`.
std::unordered_map<int, int> nearestGenerations(const Pedigree &p, std::vector<int> first, int last)
{
    std::unordered_map<int, int> generation;
    std::vector<int> current;
    for (int dog : first) {
        if (p.known(dog) && generation.emplace(dog, 1).second)
            current.push_back(dog);
    }
    for (int g = 1; g < last && !current.empty(); ++g) {
        std::vector<int> next;
        for (int dog : current) {
            for (int parent : {p.sire[dog], p.dam[dog]}) {
                if (p.known(parent) && generation.emplace(parent, g + 1).second)
                    next.push_back(parent);
            }
        }
        current = std::move(next);
    }
    return generation;
}

double ancestorLoss(const Pedigree &p, int sire, int dam)
{
    std::vector<int> places{sire, dam};
    std::unordered_set<int> distinct;
    int filled = 0;
    for (int g = 1; g <= 5; ++g) {
        std::vector<int> next;
        for (int dog : places) {
            if (p.known(dog)) {
                ++filled;
                distinct.insert(dog);
            }
            next.push_back(p.known(dog) ? p.sire[dog] : unknown);
            next.push_back(p.known(dog) ? p.dam[dog] : unknown);
        }
        places = std::move(next);
    }
    return filled == 0 ? 0.0 : 100.0 * (1.0 - double(distinct.size()) / filled);
}

} // namespace

double inbreedingOver(const Pedigree &p, int sire, int dam, int generations)
{
    if (!p.known(sire) || !p.known(dam) || generations < 1)
        return 0.0;
    const std::unordered_map<int, int> generation = nearestGenerations(p, {sire, dam}, generations);
    std::vector<int> members;
    members.reserve(generation.size());
    for (const auto &[dog, g] : generation)
        members.push_back(dog);
    std::sort(members.begin(), members.end(),
              [&](int a, int b) { return p.place[a] < p.place[b]; });
    std::unordered_map<int, int> local;
    for (size_t i = 0; i < members.size(); ++i)
        local.emplace(members[i], int(i));
    Pedigree cut;
    for (int dog : members) {
        const bool parentsCount = generation.at(dog) < generations;
        for (auto [from, to] : {std::pair{p.sire[dog], &cut.sire}, std::pair{p.dam[dog], &cut.dam}})
            to->push_back(parentsCount && p.known(from) ? local.at(from) : unknown);
    }
    for (int i = 0; i < int(members.size()); ++i)
        cut.order.push_back(i);
    cut.place = cut.order;
    Inbreeding within(cut);
    return within.coancestry(local.at(sire), local.at(dam));
}

MatingFigures matingFigures(const Pedigree &p, Inbreeding &inbreeding, int sire, int dam,
                            int generations)
{
    MatingFigures figures;
    figures.ancestorLoss = ancestorLoss(p, sire, dam);
    for (int parent : {sire, dam}) {
        if (p.known(parent))
            figures.deepestGeneration =
                std::max(figures.deepestGeneration, 1 + inbreeding.deepestGeneration(parent));
    }
    if (!p.known(sire) || !p.known(dam))
        return figures;
    figures.completeGenerations =
        1 + std::min(inbreeding.completeGenerations(sire), inbreeding.completeGenerations(dam));
    std::vector<Share> shares;
    figures.inbreeding = inbreeding.coancestry(sire, dam, &shares);
    figures.inbreedingChosen = inbreedingOver(p, sire, dam, generations);
    figures.relationship = 2.0 * figures.inbreeding /
                           std::sqrt((1.0 + inbreeding.of(sire)) * (1.0 + inbreeding.of(dam)));
    const int deepest = figures.deepestGeneration;
    const auto sireSide = nearestGenerations(p, {sire}, deepest);
    const auto damSide = nearestGenerations(p, {dam}, deepest);
    for (const Share &share : shares)
        figures.common.push_back(
            {share.dog, sireSide.at(share.dog), damSide.at(share.dog), share.part});
    std::sort(figures.common.begin(), figures.common.end(),
              [](const CommonAncestor &a, const CommonAncestor &b) {
                  return a.part != b.part ? a.part > b.part : a.dog < b.dog;
              });
    return figures;
}

} // namespace genetics
