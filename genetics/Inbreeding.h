#pragma once

#include "genetics/Pedigree.h"

#include <unordered_map>
#include <vector>

namespace genetics {

// One common ancestor's part of a coancestry; the parts add up to the coancestry.
struct Share
{
    int dog;
    double part;
};

// Wright's coefficients, exact over every known generation. A relationship is read off
// A = L·D·L' (Henderson; Quaas): a dog's row of L is found by climbing its ancestors once,
// and every dog's inbreeding by Colleau's indirect method as Sargolzaei, Iwaisaki and Colleau
// (2005) arrange it: one climb per sire gives his relationship with all his mates at once.
// Dogs without a place in the pedigree's order (loops) get no value (NaN).
class Inbreeding
{
public:
    explicit Inbreeding(const Pedigree &pedigree);

    // The inbreeding of every dog, worked out on first use.
    const std::vector<double> &coefficients();
    double of(int dog) { return coefficients()[dog]; }
    // The coancestry of two dogs, which is the inbreeding of their litter; with each common
    // ancestor's part when asked.
    double coancestry(int a, int b, std::vector<Share> *shares = nullptr);
    // Twice the coancestry of `dog` with each candidate, by one climb for all of them.
    std::vector<double> relationships(int dog, const std::vector<int> &candidates);

    // Takes in a pedigree that gained dogs or gave dogs other parents: the dogs whose
    // inbreeding may have changed, ancestors first, are worked out again in place, unless so
    // many that working out every dog anew is as quick.
    void update(const std::vector<int> &affected);

    // Generations in which every place is filled, and the deepest generation with any dog.
    int completeGenerations(int dog);
    int deepestGeneration(int dog);

private:
    double mendelian(int dog) const;
    // Lists `dog` and its ancestors, each after its parents, and fills in the dog's row of L.
    void climb(int dog, std::vector<int> &ancestors, std::vector<double> &row,
               std::vector<unsigned> &seen, unsigned mark);
    double downward(int dog);
    // The coancestry of two dogs without the kennel-wide scratch: a new dog's parents have a
    // few thousand ancestors, quicker held in tables of their own than in arrays of a
    // million dogs zeroed for them.
    double coancestryOfFew(int a, int b) const;
    void depths();

    const Pedigree &m_pedigree;
    std::vector<double> m_coefficients;
    std::vector<int> m_complete;
    std::vector<int> m_deepest;
    // The scratch is a dozen bytes per dog and more: kept only while relationships are asked
    // for, given back once every dog's inbreeding is worked out or updated.
    void prepareScratch();
    void releaseScratch();

    // Scratch for climbs, marked per climb instead of cleared.
    unsigned m_mark = 0;
    std::vector<unsigned> m_seenA, m_seenB, m_doneW;
    std::vector<double> m_rowA, m_rowB, m_w;
    std::vector<int> m_listA, m_listB, m_stack;
};

} // namespace genetics
