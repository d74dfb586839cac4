#include "genetics/Inbreeding.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace genetics {
namespace {

// Lists `dog` and its ancestors, each after its parents, and fills in the dog's row of L:
// `visit` marks a dog met (its row entry at 0), false when it was met already.
template <typename Row, typename Visit, typename Met>
void climbFrom(const Pedigree &p, int dog, std::vector<int> &ancestors, std::vector<int> &stack,
               Row &row, Visit visit, Met met)
{
    ancestors.clear();
    stack.clear();
    // A negative entry is a dog whose parents are all listed: it is listed next.
    stack.push_back(dog);
    while (!stack.empty()) {
        const int top = stack.back();
        stack.pop_back();
        if (top < 0) {
            ancestors.push_back(~top);
            continue;
        }
        if (!visit(top))
            continue;
        stack.push_back(~top);
        for (int parent : {p.sire[top], p.dam[top]}) {
            if (p.known(parent) && !met(parent))
                stack.push_back(parent);
        }
    }
    row[dog] = 1.0;
    for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it) {
        const double share = 0.5 * row[*it];
        for (int parent : {p.sire[*it], p.dam[*it]}) {
            if (p.known(parent))
                row[parent] += share;
        }
    }
}

} // namespace

Inbreeding::Inbreeding(const Pedigree &pedigree) : m_pedigree(pedigree) {}

void Inbreeding::prepareScratch()
{
    const size_t dogs = size_t(m_pedigree.size());
    if (m_seenA.size() == dogs)
        return;
    for (std::vector<unsigned> *marks : {&m_seenA, &m_seenB, &m_doneW})
        marks->assign(dogs, 0);
    for (std::vector<double> *values : {&m_rowA, &m_rowB, &m_w})
        values->assign(dogs, 0.0);
}

void Inbreeding::releaseScratch()
{
    // Swapped with empty ones: assigning {} would keep the room.
    for (std::vector<unsigned> *marks : {&m_seenA, &m_seenB, &m_doneW})
        std::vector<unsigned>().swap(*marks);
    for (std::vector<double> *values : {&m_rowA, &m_rowB, &m_w})
        std::vector<double>().swap(*values);
    for (std::vector<int> *list : {&m_listA, &m_listB, &m_stack})
        std::vector<int>().swap(*list);
}

// The variance of Mendelian sampling: the share of a dog's relationship to itself that its
// parents do not explain.
double Inbreeding::mendelian(int dog) const
{
    const Pedigree &p = m_pedigree;
    double d = 1.0;
    for (int parent : {p.sire[dog], p.dam[dog]}) {
        if (p.known(parent))
            d -= 0.25 * (1.0 + m_coefficients[parent]);
    }
    return d;
}

void Inbreeding::climb(int dog, std::vector<int> &ancestors, std::vector<double> &row,
                       std::vector<unsigned> &seen, unsigned mark)
{
    climbFrom(
        m_pedigree, dog, ancestors, m_stack, row,
        [&](int found) {
            if (seen[found] == mark)
                return false;
            seen[found] = mark;
            row[found] = 0.0;
            return true;
        },
        [&](int found) { return seen[found] == mark; });
}

// Row A of the relationship matrix times L, down to `dog`: the dog's relationship with the
// dog last climbed into list A.
double Inbreeding::downward(int dog)
{
    const Pedigree &p = m_pedigree;
    m_stack.clear();
    m_stack.push_back(dog);
    while (!m_stack.empty()) {
        const int top = m_stack.back();
        if (m_doneW[top] == m_mark) {
            m_stack.pop_back();
            continue;
        }
        bool ready = true;
        for (int parent : {p.sire[top], p.dam[top]}) {
            if (p.known(parent) && m_doneW[parent] != m_mark) {
                m_stack.push_back(parent);
                ready = false;
            }
        }
        if (!ready)
            continue;
        m_stack.pop_back();
        double w = m_seenA[top] == m_mark ? mendelian(top) * m_rowA[top] : 0.0;
        for (int parent : {p.sire[top], p.dam[top]}) {
            if (p.known(parent))
                w += 0.5 * m_w[parent];
        }
        m_w[top] = w;
        m_doneW[top] = m_mark;
    }
    return m_w[dog];
}

const std::vector<double> &Inbreeding::coefficients()
{
    if (!m_coefficients.empty() || m_pedigree.size() == 0)
        return m_coefficients;
    const Pedigree &p = m_pedigree;
    const int dogs = p.size();
    m_coefficients.assign(size_t(dogs), std::numeric_limits<double>::quiet_NaN());
    prepareScratch();
    // Each sire's offspring with a known dam, grouped by sire.
    std::vector<int> start(size_t(dogs) + 1, 0);
    for (int dog : p.order) {
        if (p.known(p.sire[dog]) && p.known(p.dam[dog]))
            ++start[size_t(p.sire[dog]) + 1];
    }
    for (int dog = 0; dog < dogs; ++dog)
        start[size_t(dog) + 1] += start[size_t(dog)];
    std::vector<int> offspring(static_cast<size_t>(start.back()));
    std::vector<int> filled(start.begin(), start.end() - 1);
    for (int dog : p.order) {
        if (p.known(p.sire[dog]) && p.known(p.dam[dog]))
            offspring[size_t(filled[size_t(p.sire[dog])]++)] = dog;
    }
    // In order, every ancestor of a sire has its value before the sire is reached.
    for (int dog : p.order) {
        if (!p.known(p.sire[dog]) || !p.known(p.dam[dog]))
            m_coefficients[dog] = 0.0;
        if (start[size_t(dog)] == start[size_t(dog) + 1])
            continue;
        ++m_mark;
        climb(dog, m_listA, m_rowA, m_seenA, m_mark);
        for (int i = start[size_t(dog)]; i < start[size_t(dog) + 1]; ++i)
            m_coefficients[offspring[i]] = 0.5 * downward(p.dam[offspring[i]]);
    }
    releaseScratch();
    return m_coefficients;
}

double Inbreeding::coancestry(int a, int b, std::vector<Share> *shares)
{
    coefficients();
    if (shares)
        shares->clear();
    if (!m_pedigree.known(a) || !m_pedigree.known(b))
        return 0.0;
    prepareScratch();
    ++m_mark;
    climb(a, m_listA, m_rowA, m_seenA, m_mark);
    climb(b, m_listB, m_rowB, m_seenB, m_mark);
    double sum = 0.0;
    for (int dog : m_listB) {
        if (m_seenA[dog] != m_mark)
            continue;
        const double part = 0.5 * m_rowA[dog] * m_rowB[dog] * mendelian(dog);
        sum += part;
        if (shares)
            shares->push_back({dog, part});
    }
    return sum;
}

std::vector<double> Inbreeding::relationships(int dog, const std::vector<int> &candidates)
{
    coefficients();
    prepareScratch();
    ++m_mark;
    climb(dog, m_listA, m_rowA, m_seenA, m_mark);
    std::vector<double> result;
    result.reserve(candidates.size());
    for (int candidate : candidates)
        result.push_back(downward(candidate));
    return result;
}

double Inbreeding::coancestryOfFew(int a, int b) const
{
    const Pedigree &p = m_pedigree;
    std::vector<int> stack;
    auto climbOne = [&](int dog, std::vector<int> &ancestors,
                        std::unordered_map<int, double> &row) {
        climbFrom(
            p, dog, ancestors, stack, row,
            [&](int found) { return row.emplace(found, 0.0).second; },
            [&](int found) { return row.count(found) != 0; });
    };
    std::vector<int> listA, listB;
    std::unordered_map<int, double> rowA, rowB;
    climbOne(a, listA, rowA);
    climbOne(b, listB, rowB);
    double sum = 0.0;
    for (int dog : listB) {
        const auto inA = rowA.find(dog);
        if (inA != rowA.end())
            sum += 0.5 * inA->second * rowB[dog] * mendelian(dog);
    }
    return sum;
}

void Inbreeding::update(const std::vector<int> &affected)
{
    const size_t dogs = size_t(m_pedigree.size());
    releaseScratch();
    m_complete.clear();
    m_deepest.clear();
    if (m_coefficients.empty() || affected.empty())
        return;
    // Beyond this many, one pass of the indirect method over every dog is quicker.
    constexpr size_t mostInPlace = 5000;
    if (affected.size() > mostInPlace) {
        m_coefficients.clear();
        return;
    }
    const Pedigree &p = m_pedigree;
    m_coefficients.resize(dogs, std::numeric_limits<double>::quiet_NaN());
    for (const int dog : affected) {
        if (p.place[dog] < 0)
            m_coefficients[dog] = std::numeric_limits<double>::quiet_NaN();
        else if (!p.known(p.sire[dog]) || !p.known(p.dam[dog]))
            m_coefficients[dog] = 0.0;
        else
            m_coefficients[dog] = coancestryOfFew(p.sire[dog], p.dam[dog]);
    }
    releaseScratch();
}

int Inbreeding::completeGenerations(int dog)
{
    depths();
    return m_complete[dog];
}

int Inbreeding::deepestGeneration(int dog)
{
    depths();
    return m_deepest[dog];
}

void Inbreeding::depths()
{
    if (!m_complete.empty() || m_pedigree.size() == 0)
        return;
    const Pedigree &p = m_pedigree;
    m_complete.assign(size_t(p.size()), 0);
    m_deepest.assign(size_t(p.size()), 0);
    for (int dog : p.order) {
        const int sire = p.sire[dog];
        const int dam = p.dam[dog];
        if (p.known(sire) && p.known(dam))
            m_complete[dog] = 1 + std::min(m_complete[sire], m_complete[dam]);
        for (int parent : {sire, dam}) {
            if (p.known(parent))
                m_deepest[dog] = std::max(m_deepest[dog], 1 + m_deepest[parent]);
        }
    }
}

} // namespace genetics
