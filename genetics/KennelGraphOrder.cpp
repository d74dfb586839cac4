// The kennel graph's order, parents before their offspring, and the loops that keep a dog
// out of it.
#include "genetics/KennelGraph.h"

#include <algorithm>
#include <unordered_set>

namespace genetics {

std::vector<int> KennelGraph::withDescendants(const std::vector<int> &dogs) const
{
    const Pedigree &p = m_pedigree;
    std::vector<int> found(dogs);
    std::unordered_set<int> listed(dogs.begin(), dogs.end());
    // The index of offspring may name a dog that has since had other parents: only those
    // whose parent the dog still is count.
    auto visit = [&](int dog, int child) {
        if ((p.sire[child] == dog || p.dam[child] == dog) && listed.insert(child).second)
            found.push_back(child);
    };
    for (size_t next = 0; next < found.size(); ++next) {
        const int dog = found[next];
        if (size_t(dog) + 1 < m_childStart.size()) {
            for (int c = m_childStart[dog]; c < m_childStart[dog + 1]; ++c)
                visit(dog, m_children[c]);
        }
        const auto later =
            std::equal_range(m_laterChildren.begin(), m_laterChildren.end(), std::pair{dog, 0},
                             [](const auto &a, const auto &b) { return a.first < b.first; });
        for (auto it = later.first; it != later.second; ++it)
            visit(dog, it->second);
    }
    return found;
}

bool KennelGraph::moveToTheEnd(const std::vector<int> &affected)
{
    Pedigree &p = m_pedigree;
    std::vector<int> places;
    places.reserve(affected.size());
    for (const int dog : affected) {
        if (p.place[dog] < 0)
            return false;
        places.push_back(p.place[dog]);
    }
    std::sort(places.begin(), places.end());
    // A dog given a parent among its own descendants, or below a loop, is in a loop now.
    for (const int dog : affected) {
        for (const int parent : {p.sire[dog], p.dam[dog]}) {
            if (p.known(parent) && p.place[parent] < 0)
                return false;
        }
    }
    std::unordered_set<int> moving(affected.begin(), affected.end());
    for (const int dog : affected) {
        for (const int parent : {p.sire[dog], p.dam[dog]}) {
            if (p.known(parent) && moving.count(parent) && p.place[parent] >= p.place[dog])
                return false;
        }
    }
    // The dogs affected keep their order among themselves, after every other dog: each
    // changed dog's new parents stand among those.
    std::vector<int> moved;
    moved.reserve(places.size());
    for (const int at : places)
        moved.push_back(p.order[at]);
    size_t kept = size_t(places.front());
    size_t skip = 0;
    for (size_t at = size_t(places.front()); at < p.order.size(); ++at) {
        if (skip < places.size() && size_t(places[skip]) == at) {
            ++skip;
            continue;
        }
        p.order[kept++] = p.order[at];
    }
    std::copy(moved.begin(), moved.end(), p.order.begin() + qsizetype(kept));
    for (size_t at = size_t(places.front()); at < p.order.size(); ++at)
        p.place[p.order[at]] = int(at);
    return true;
}

void KennelGraph::placeAdded(int dog)
{
    Pedigree &p = m_pedigree;
    auto loopOf = [&](int parent) { return p.known(parent) ? m_loopOf[parent] : -1; };
    // As a climb from the dog would find it: through the sire where he is looped.
    const int loop = loopOf(p.sire[dog]) >= 0 ? loopOf(p.sire[dog]) : loopOf(p.dam[dog]);
    m_loopOf.push_back(loop);
    p.place.push_back(loop >= 0 ? -1 : int(p.order.size()));
    if (loop < 0)
        p.order.push_back(dog);
}

// Parents before their offspring: a dog is placed once both its known parents are.
void KennelGraph::order()
{
    const int dogs = size();
    const Pedigree &p = m_pedigree;
    std::vector<int> waiting(dogs, 0);
    std::vector<int> &childStart = m_childStart;
    childStart.assign(size_t(dogs) + 1, 0);
    for (int dog = 0; dog < dogs; ++dog) {
        for (int parent : {p.sire[dog], p.dam[dog]}) {
            if (p.known(parent)) {
                ++waiting[dog];
                ++childStart[parent + 1];
            }
        }
    }
    for (int dog = 0; dog < dogs; ++dog)
        childStart[dog + 1] += childStart[dog];
    std::vector<int> &children = m_children;
    children.assign(size_t(childStart[dogs]), 0);
    m_laterChildren.clear();
    std::vector<int> filled(childStart.begin(), childStart.end() - 1);
    for (int dog = 0; dog < dogs; ++dog) {
        for (int parent : {p.sire[dog], p.dam[dog]}) {
            if (p.known(parent))
                children[filled[parent]++] = dog;
        }
    }
    std::vector<int> &placed = m_pedigree.order;
    placed.reserve(dogs);
    for (int dog = 0; dog < dogs; ++dog) {
        if (waiting[dog] == 0)
            placed.push_back(dog);
    }
    for (size_t next = 0; next < placed.size(); ++next) {
        const int dog = placed[next];
        for (int c = childStart[dog]; c < childStart[dog + 1]; ++c) {
            if (--waiting[children[c]] == 0)
                placed.push_back(children[c]);
        }
    }
    m_pedigree.place.assign(dogs, -1);
    for (size_t i = 0; i < placed.size(); ++i)
        m_pedigree.place[placed[i]] = int(i);
    m_loopOf.assign(dogs, -1);
    for (int dog = 0; dog < dogs; ++dog) {
        if (waiting[dog] > 0)
            m_loopOf[dog] = -2; // looped; which loop is found next
    }
}

// A looped dog always has a looped parent, so climbing looped parents from it must come round
// to a dog already passed on the way: that stretch is a loop.
void KennelGraph::findLoops()
{
    const Pedigree &p = m_pedigree;
    std::vector<int> onPath(size(), -1);
    std::vector<int> path;
    for (int start = 0; start < size(); ++start) {
        if (m_loopOf[start] != -2)
            continue;
        path.clear();
        int dog = start;
        while (m_loopOf[dog] == -2 && onPath[dog] != start) {
            onPath[dog] = start;
            path.push_back(dog);
            dog = p.known(p.sire[dog]) && m_loopOf[p.sire[dog]] != -1 ? p.sire[dog] : p.dam[dog];
        }
        int loop = m_loopOf[dog];
        if (loop == -2) {
            loop = int(m_loops.size());
            std::vector<int> around(std::find(path.begin(), path.end(), dog), path.end());
            around.push_back(dog);
            m_loops.push_back(std::move(around));
        }
        for (int passed : path)
            m_loopOf[passed] = loop;
    }
}

QStringList KennelGraph::loopAbove(int dog) const
{
    QStringList names;
    if (!looped(dog))
        return names;
    for (int member : m_loops[m_loopOf[dog]])
        names << name(member);
    return names;
}

} // namespace genetics
