#pragma once

#include "genetics/Pedigree.h"

#include <atomic>
#include <QtGlobal>
#include <vector>

namespace genetics {

// A dog with an unknown parent whose genes reach the reference population: with one parent
// unknown it is half a founder.
struct Founder
{
    int dog;
    double weight; // 1 or 0.5
    double share;  // of the reference population's genes
};

struct FounderFigures
{
    std::vector<Founder> founders; // largest share first
    double count = 0.0;
    double equivalents = 0.0; // fe; 0 without founders
};

// The founders of the reference population whose gene contributions these are.
FounderFigures founderFigures(const Pedigree &pedigree, const std::vector<double> &contributions);

struct Ancestor
{
    int dog;
    qint64 id;           // the dog's dogid, where the graph was given them
    double contribution; // its expected share of the reference population's genes
    double marginal;     // the share no ancestor taken before it explains
};

struct EffectiveAncestors
{
    std::vector<Ancestor> taken; // in the order taken
    double explained = 0.0;
    double effective = 0.0; // fa; 0 when none was taken
};

// The reference dogs and their ancestors, in the pedigree's order, with parents as places in
// that list: what the effective ancestors are worked out on, small enough to hand to a thread.
struct AncestorGraph
{
    std::vector<int> dogs; // the kennel's index of each place
    // Each place's dogid, for a graph that outlives the kennel's indexes; or empty.
    std::vector<qint64> ids;
    std::vector<int> sire, dam;
    std::vector<double> contribution; // with nothing cut away
    std::vector<bool> reference;
    int referenceSize = 0;
};

AncestorGraph ancestorGraph(const Pedigree &pedigree, const std::vector<int> &reference,
                            const std::vector<double> &contributions);

inline constexpr int mostEffectiveAncestors = 1000;
inline constexpr double unexplainedShare = 0.001;

// Boichard, Maignel and Verrier (1997): the ancestor (a dog with a descendant in the reference
// population, or a founder in it) with the largest marginal contribution is taken, its own pedigree
// cut away, and so on until all but `unexplainedShare` of the genes are explained or
// `mostEffectiveAncestors` are taken. `stop` set on another thread ends the work early with what
// was taken so far.
EffectiveAncestors effectiveAncestors(const AncestorGraph &graph,
                                      const std::atomic<bool> *stop = nullptr);

} // namespace genetics
