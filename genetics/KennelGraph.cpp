#include "genetics/KennelGraph.h"

#include "db/Fields.h"
#include "db/RawRows.h"
#include "db/SqlText.h"
#include "db/Tables.h"

#include <algorithm>
#include <QDate>
#include <QStringBuilder>

namespace genetics {
namespace {

// The columns of the scan, in the order of its select list.
enum Column { Id, Name, Sire, Dam, SexColumn, Born, Died };

const std::string_view notOnRecord = "Not On Record";

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

QString KennelGraph::read(const QSqlDatabase &kennel)
{
    *this = KennelGraph();
    namespace field = db::fields::dogs;
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
    m_nameStart.reserve(room + 1);
    m_names.reserve(int(room));
    // Parent names wait in one buffer until every dog's name is known.
    std::string parentBytes;
    std::vector<unsigned> parentStart{0};
    parentStart.reserve(2 * room + 1);
    m_nameStart.push_back(0);
    const QString problem = db::scanRows(
        kennel,
        db::selectFrom(db::tables::dogs, {field::id, field::name, field::sire, field::dam,
                                          field::sex, field::born, field::died}) %
            QStringLiteral(" ORDER BY rowid"),
        [&](const db::RawRow &row) {
            const int dog = int(m_ids.size());
            m_ids.push_back(row.whole(Id));
            const std::string_view name = row.text(Name);
            m_nameBytes += name;
            m_nameStart.push_back(unsigned(m_nameBytes.size()));
            m_names.add(name, dog);
            for (int column : {Sire, Dam}) {
                parentBytes += row.text(column);
                parentStart.push_back(unsigned(parentBytes.size()));
            }
            m_sexes.push_back(sexOf(row.text(SexColumn)));
            if (m_sexes.back() == Sex::Other)
                m_otherSexes.emplace_back(dog, row.string(SexColumn));
            m_born.push_back(julianDay(row.text(Born)));
            m_died.push_back(!row.text(Died).empty());
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
    return {};
}

QString KennelGraph::name(int dog) const
{
    return QString::fromUtf8(m_nameBytes.data() + m_nameStart[dog],
                             qsizetype(m_nameStart[dog + 1] - m_nameStart[dog]));
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
    std::vector<int> childStart(dogs + 1, 0);
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
    std::vector<int> children(childStart[dogs]);
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
