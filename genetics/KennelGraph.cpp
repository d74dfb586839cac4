#include "genetics/KennelGraph.h"

#include "kennel/DogFinder.h"

#include <algorithm>
#include <array>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <QDate>
#include <thread>

namespace genetics {
namespace {

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

// Rows handed in chunks from the scan of the file to a thread that takes them in, so that
// the two share the cores; a few chunks wait at most.
class RowHandOver
{
public:
    struct Stored
    {
        qint64 id;
        quint32 ends[5]; // of the name, sire, dam, sex and birth date in the chunk's bytes
        bool died;
    };
    struct Chunk
    {
        std::string bytes;
        std::vector<Stored> rows;
    };

    void put(Chunk chunk)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_waiting.size() < 4; });
        m_waiting.push_back(std::move(chunk));
        m_changed.notify_all();
    }
    // The next chunk, or none once closed and all are taken.
    std::optional<Chunk> take()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_waiting.empty() || m_closed; });
        if (m_waiting.empty())
            return std::nullopt;
        Chunk chunk = std::move(m_waiting.front());
        m_waiting.pop_front();
        m_changed.notify_all();
        return chunk;
    }
    void close()
    {
        const std::lock_guard lock(m_mutex);
        m_closed = true;
        m_changed.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Chunk> m_waiting;
    bool m_closed = false;
};

} // namespace

void KennelGraph::add(const Row &row)
{
    const int dog = int(m_ids.size());
    m_ids.push_back(row.id);
    m_names.add(row.name);
    m_sexes.push_back(Sex::Other);
    setSex(dog, row);
    m_born.push_back(julianDay(row.born));
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
    if (!kennel::namesADog(name))
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
    const qint64 highest = kennel::highestDogNumber(kennel);
    const size_t room = size_t(std::clamp<qint64>(highest, 0, 4'000'000));
    m_ids.reserve(room);
    m_sexes.reserve(room);
    m_born.reserve(room);
    m_died.reserve(room);
    m_names.reserve(int(room));
    // Parent names wait in one buffer until every dog's name is known.
    std::string parentBytes;
    parentBytes.reserve(2 * room * 32);
    std::vector<unsigned> parentStart{0};
    parentStart.reserve(2 * room + 1);
    // On the heap: a lock the race checker once saw at a reused stack address, taken inside
    // a library it does not watch, would be taken for this one.
    const auto handOver = std::make_unique<RowHandOver>();
    std::thread taker([&] {
        while (const auto chunk = handOver->take()) {
            quint32 from = 0;
            auto next = [&](quint32 end) {
                const std::string_view text(chunk->bytes.data() + from, end - from);
                from = end;
                return text;
            };
            for (const RowHandOver::Stored &stored : chunk->rows) {
                Row row{stored.id, {}, {}, {}, {}, {}, stored.died};
                const std::array<std::string_view *, 5> texts{&row.name, &row.sire, &row.dam,
                                                              &row.sex, &row.born};
                for (size_t i = 0; i < texts.size(); ++i)
                    *texts[i] = next(stored.ends[i]);
                add(row);
                for (const std::string_view parent : {row.sire, row.dam}) {
                    parentBytes += parent;
                    parentStart.push_back(unsigned(parentBytes.size()));
                }
            }
        }
    });
    RowHandOver::Chunk chunk;
    constexpr size_t chunkRows = 8192;
    const QString problem = kennel::scanPedigrees(kennel, [&](const Row &row) {
        RowHandOver::Stored stored{row.id, {}, row.died};
        const std::array<std::string_view, 5> texts{row.name, row.sire, row.dam, row.sex, row.born};
        for (size_t i = 0; i < texts.size(); ++i) {
            chunk.bytes += texts[i];
            stored.ends[i] = quint32(chunk.bytes.size());
        }
        chunk.rows.push_back(stored);
        if (chunk.rows.size() == chunkRows)
            handOver->put(std::exchange(chunk, {}));
    });
    handOver->put(std::move(chunk));
    handOver->close();
    taker.join();
    if (!problem.isEmpty()) {
        *this = KennelGraph();
        return problem;
    }
    // Parents are found once every name is known: a sire may stand after his pups.
    const int dogs = int(m_ids.size());
    m_pedigree.sire.resize(dogs);
    m_pedigree.dam.resize(dogs);
    // The dogs in two halves, one on each core; the names a half's parents do not match
    // are kept in its own list, the halves' lists then joined in order.
    auto findParents = [&](int from, int to, std::vector<UnrecordedParent> &unrecorded) {
        // Pups of a litter stand together and share their parents' names: the last answer
        // for each parent is kept.
        std::string_view lastName[2];
        int lastFound[2] = {unknown, unknown};
        auto parent = [&](size_t which) {
            const std::string_view name(parentBytes.data() + parentStart[which],
                                        parentStart[which + 1] - parentStart[which]);
            const size_t side = which % 2;
            if (!kennel::namesADog(name))
                return unknown;
            if (name != lastName[side]) {
                lastName[side] = name;
                lastFound[side] = m_names.find(name);
            }
            if (lastFound[side] == unknown)
                unrecorded.push_back({int(which / 2), side == 0,
                                      QString::fromUtf8(name.data(), qsizetype(name.size()))});
            return lastFound[side];
        };
        for (int dog = from; dog < to; ++dog) {
            m_pedigree.sire[dog] = parent(2 * size_t(dog));
            m_pedigree.dam[dog] = parent(2 * size_t(dog) + 1);
        }
    };
    std::vector<UnrecordedParent> laterUnrecorded;
    std::thread later([&] { findParents(dogs / 2, dogs, laterUnrecorded); });
    findParents(0, dogs / 2, m_unrecorded);
    later.join();
    m_unrecorded.insert(m_unrecorded.end(), std::make_move_iterator(laterUnrecorded.begin()),
                        std::make_move_iterator(laterUnrecorded.end()));
    order();
    findLoops();
    m_names.squeeze();
    return {};
}

std::optional<std::vector<int>> KennelGraph::update(const QSqlDatabase &kennel,
                                                    const std::vector<qint64> &written)
{
    std::vector<int> changed;
    bool whole = true;
    size_t next = 0;
    const int before = size();
    const QString problem = kennel::scanPedigrees(
        kennel,
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
                m_born[dog] = julianDay(row.born);
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
        },
        &written);
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
    if (!kennel::namesADog(name))
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

} // namespace genetics
