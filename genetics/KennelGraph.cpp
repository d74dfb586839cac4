#include "genetics/KennelGraph.h"

#include "core/DogNames.h"
#include "db/Fields.h"
#include "db/RawRows.h"
#include "db/SqlText.h"
#include "db/Tables.h"

#include <algorithm>
#include <QDate>
#include <QStringBuilder>
#include <unordered_set>

namespace genetics {
namespace {

// The columns of the scan, in the order of its select list.
enum Column { Id, Name, Sire, Dam, SexColumn, Born, Died };

const std::string_view notOnRecord(core::notOnRecordText.data(),
                                   size_t(core::notOnRecordText.size()));

int julianDay(std::string_view stored)
{
    auto digits = [&](int from, int count) {
        int value = 0;
        for (int i = from; i < from + count; ++i) {
            if (stored[i] < '0' || stored[i] > '9')
                return -1;
            value = value * 10 + (stored[i] - '0');
        }
        return value;
    };
    if (stored.size() != 10 || stored[4] != '-' || stored[7] != '-')
        return 0;
    const QDate date(digits(0, 4), digits(5, 2), digits(8, 2));
    return date.isValid() ? int(date.toJulianDay()) : 0;
}

Sex sexOf(std::string_view stored)
{
    if (stored == "Male")
        return Sex::Male;
    if (stored == "Female")
        return Sex::Female;
    return Sex::Other;
}

} // namespace

// One dog's row as the graph reads it.
struct KennelGraph::Row
{
    qint64 id;
    std::string_view name, sire, dam, sex;
    int born;
    bool died;
};

QString KennelGraph::scan(const QSqlDatabase &kennel, const QString &where,
                          const std::function<void(const Row &)> &each)
{
    namespace field = db::fields::dogs;
    return db::scanRows(
        kennel,
        db::selectFrom(db::tables::dogs, {field::id, field::name, field::sire, field::dam,
                                          field::sex, field::born, field::died}) %
            where % QStringLiteral(" ORDER BY rowid"),
        [&](const db::RawRow &row) {
            each({row.whole(Id), row.text(Name), row.text(Sire), row.text(Dam), row.text(SexColumn),
                  julianDay(row.text(Born)), !row.text(Died).empty()});
        });
}

void KennelGraph::add(const Row &row)
{
    const int dog = int(m_ids.size());
    m_ids.push_back(row.id);
    m_names.add(row.name);
    m_sexes.push_back(Sex::Other);
    setSex(dog, row);
    m_born.push_back(row.born);
    m_died.push_back(row.died);
}

void KennelGraph::setSex(int dog, const Row &row)
{
    m_sexes[dog] = sexOf(row.sex);
    const auto other = std::lower_bound(
        m_otherSexes.begin(), m_otherSexes.end(), dog,
        [](const std::pair<int, QString> &other, int d) { return other.first < d; });
    const bool listed = other != m_otherSexes.end() && other->first == dog;
    if (m_sexes[dog] != Sex::Other) {
        if (listed)
            m_otherSexes.erase(other);
        return;
    }
    const QString stored = QString::fromUtf8(row.sex.data(), qsizetype(row.sex.size()));
    if (listed)
        other->second = stored;
    else
        m_otherSexes.emplace(other, dog, stored);
}

int KennelGraph::parentOf(int dog, bool sire, std::string_view name)
{
    if (name.empty() || name == notOnRecord)
        return unknown;
    const int found = m_names.find(name);
    if (found == unknown)
        m_unrecorded.push_back({dog, sire, QString::fromUtf8(name.data(), qsizetype(name.size()))});
    return found;
}

QString KennelGraph::read(const QSqlDatabase &kennel)
{
    *this = KennelGraph();
    // Row numbers only grow, so the highest is room enough; a sparse table beyond a few
    // million rows grows as it is read instead.
    enum HighestColumn { Highest };
    qint64 highest = 0;
    db::scanRows(kennel, QStringLiteral("SELECT max(rowid) FROM ") % db::quoted(db::tables::dogs),
                 [&](const db::RawRow &row) { highest = row.whole(Highest); });
    const size_t room = size_t(std::clamp<qint64>(highest, 0, 4'000'000));
    m_ids.reserve(room);
    m_sexes.reserve(room);
    m_born.reserve(room);
    m_died.reserve(room);
    m_names.reserve(int(room));
    // Parent names wait in one buffer until every dog's name is known.
    std::string parentBytes;
    std::vector<unsigned> parentStart{0};
    parentStart.reserve(2 * room + 1);
    const QString problem = scan(kennel, {}, [&](const Row &row) {
        add(row);
        for (const std::string_view parent : {row.sire, row.dam}) {
            parentBytes += parent;
            parentStart.push_back(unsigned(parentBytes.size()));
        }
    });
    if (!problem.isEmpty()) {
        *this = KennelGraph();
        return problem;
    }
    // Parents are found once every name is known: a sire may stand after his pups.
    const int dogs = int(m_ids.size());
    m_pedigree.sire.resize(dogs);
    m_pedigree.dam.resize(dogs);
    // Pups of a litter stand together and share their parents' names: the last answer for
    // each parent is kept.
    std::string_view lastName[2];
    int lastFound[2] = {unknown, unknown};
    auto parent = [&](size_t which) {
        const std::string_view name(parentBytes.data() + parentStart[which],
                                    parentStart[which + 1] - parentStart[which]);
        const size_t side = which % 2;
        if (name.empty() || name == notOnRecord)
            return unknown;
        if (name != lastName[side]) {
            lastName[side] = name;
            lastFound[side] = m_names.find(name);
        }
        if (lastFound[side] == unknown)
            m_unrecorded.push_back({int(which / 2), side == 0,
                                    QString::fromUtf8(name.data(), qsizetype(name.size()))});
        return lastFound[side];
    };
    for (int dog = 0; dog < dogs; ++dog) {
        m_pedigree.sire[dog] = parent(2 * size_t(dog));
        m_pedigree.dam[dog] = parent(2 * size_t(dog) + 1);
    }
    order();
    findLoops();
    m_names.squeeze();
    return {};
}

std::optional<std::vector<int>> KennelGraph::update(const QSqlDatabase &kennel,
                                                    const std::vector<qint64> &written)
{
    QStringList ids;
    for (const qint64 id : written)
        ids << QString::number(id);
    std::vector<int> changed;
    bool whole = true;
    size_t next = 0;
    const int before = size();
    const QString problem = scan(
        kennel, QStringLiteral(" WHERE rowid IN (") % ids.join(QLatin1Char(',')) % QLatin1Char(')'),
        [&](const Row &row) {
            // A row not read was removed.
            whole = whole && next < written.size() && written[next++] == row.id;
            if (!whole)
                return;
            int dog = indexOfId(row.id);
            if (dog == unknown) {
                const QString name = QString::fromUtf8(row.name.data(), qsizetype(row.name.size()));
                whole = (m_ids.empty() || row.id > m_ids.back()) &&
                        m_names.find(row.name) == unknown &&
                        std::none_of(m_unrecorded.begin(), m_unrecorded.end(),
                                     [&](const UnrecordedParent &parent) {
                                         return parent.name.compare(name, Qt::CaseInsensitive) == 0;
                                     });
                if (!whole)
                    return;
                add(row);
                dog = int(m_ids.size()) - 1;
                m_pedigree.sire.push_back(unknown);
                m_pedigree.dam.push_back(unknown);
            } else {
                whole = m_names.name(dog) == row.name;
                if (!whole)
                    return;
                setSex(dog, row);
                m_born[dog] = row.born;
                m_died[dog] = row.died;
            }
            std::erase_if(m_unrecorded,
                          [&](const UnrecordedParent &parent) { return parent.dog == dog; });
            const int sire = parentOf(dog, true, row.sire);
            const int dam = parentOf(dog, false, row.dam);
            if (dog >= before || sire != m_pedigree.sire[dog] || dam != m_pedigree.dam[dog])
                changed.push_back(dog);
            m_pedigree.sire[dog] = sire;
            m_pedigree.dam[dog] = dam;
        });
    if (!problem.isEmpty() || !whole || next != written.size())
        return std::nullopt;
    // Each dog's parents come before the dog's own.
    std::stable_sort(m_unrecorded.begin(), m_unrecorded.end(),
                     [](const UnrecordedParent &a, const UnrecordedParent &b) {
                         return a.dog != b.dog ? a.dog < b.dog : a.sire > b.sire;
                     });
    for (const int dog : changed) {
        for (const int parent : {m_pedigree.sire[dog], m_pedigree.dam[dog]}) {
            if (m_pedigree.known(parent))
                m_laterChildren.emplace_back(parent, dog);
        }
    }
    std::sort(m_laterChildren.begin(), m_laterChildren.end());
    std::vector<int> affected = withDescendants(changed);
    const bool onlyAdded =
        std::all_of(changed.begin(), changed.end(), [&](int dog) { return dog >= before; });
    if (onlyAdded) {
        // Dogs only added come after every dog they descend from.
        for (const int dog : changed)
            placeAdded(dog);
    } else if (!changed.empty() && (before < size() || !moveToTheEnd(affected))) {
        m_pedigree.order.clear();
        m_loops.clear();
        order();
        findLoops();
    }
    // Ancestors first; dogs in loops, which have no place, last.
    const std::vector<int> &place = m_pedigree.place;
    std::sort(affected.begin(), affected.end(),
              [&](int a, int b) { return unsigned(place[a]) < unsigned(place[b]); });
    return affected;
}

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

QString KennelGraph::name(int dog) const
{
    const std::string_view name = m_names.name(dog);
    return QString::fromUtf8(name.data(), qsizetype(name.size()));
}

QString KennelGraph::storedSex(int dog) const
{
    const auto found = std::lower_bound(
        m_otherSexes.begin(), m_otherSexes.end(), dog,
        [](const std::pair<int, QString> &other, int d) { return other.first < d; });
    return found != m_otherSexes.end() && found->first == dog ? found->second : QString();
}

int KennelGraph::find(const QString &name) const
{
    if (name.isEmpty() || name == QLatin1String(notOnRecord.data(), notOnRecord.size()))
        return unknown;
    const QByteArray bytes = name.toUtf8();
    return m_names.find(std::string_view(bytes.constData(), size_t(bytes.size())));
}

int KennelGraph::indexOfId(qint64 id) const
{
    // Rows are read in rowid order, and dogid is the rowid.
    const auto found = std::lower_bound(m_ids.begin(), m_ids.end(), id);
    return found != m_ids.end() && *found == id ? int(found - m_ids.begin()) : unknown;
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
