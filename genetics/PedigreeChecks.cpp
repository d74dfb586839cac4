#include "genetics/PedigreeChecks.h"

#include "core/DateText.h"
#include "core/DogNames.h"
#include "core/SearchText.h"
#include "kennel/DogRows.h"
#include "kennel/Dogs.h"

#include <algorithm>
#include <bit>
#include <map>
#include <QDate>
#include <QHash>
#include <QSet>
#include <QStringBuilder>
#include <string>
#include <tuple>

namespace genetics {
namespace {

// The date as every list of the kennel shows it.
QString shortDate(int julianDay)
{
    return core::datetext::shortDate(QDate::fromJulianDay(julianDay));
}

void checkParent(const KennelGraph &graph, int dog, int parent, bool sire,
                 std::vector<PedigreeProblem> &problems)
{
    if (parent == unknown)
        return;
    const QString role = sire ? QStringLiteral("sire") : QStringLiteral("dam");
    const Sex wrong = sire ? Sex::Female : Sex::Male;
    if (graph.sex(parent) == wrong)
        problems.push_back({sire ? QStringLiteral("Sire recorded as Female")
                                 : QStringLiteral("Dam recorded as Male"),
                            graph.name(dog), graph.id(dog),
                            QStringLiteral("The %1 %2 (ID %3) is recorded as %4.")
                                .arg(role, graph.name(parent))
                                .arg(graph.id(parent))
                                .arg(sire ? QStringLiteral("Female") : QStringLiteral("Male"))});
    const int born = graph.born(dog);
    const int parentBorn = graph.born(parent);
    if (born == 0 || parentBorn == 0)
        return;
    const QDate parentDate = QDate::fromJulianDay(parentBorn);
    const QDate dogDate = QDate::fromJulianDay(born);
    if (parentDate > dogDate || parentDate.addMonths(6) > dogDate)
        problems.push_back(
            {parentDate > dogDate ? QStringLiteral("Parent born after offspring")
                                  : QStringLiteral("Parent born too shortly before"),
             graph.name(dog), graph.id(dog),
             QStringLiteral("Born %1; the %2 %3 was born %4.")
                 .arg(shortDate(born), role, graph.name(parent), shortDate(parentBorn))});
}

// Parents written "not on record" in another case than the marker would be found as it.
void checkMarkerNames(const KennelGraph &graph, std::vector<PedigreeProblem> &problems)
{
    for (int dog = 0; dog < graph.size(); ++dog) {
        if (graph.name(dog).compare(core::notOnRecordText, Qt::CaseInsensitive) == 0)
            problems.push_back({QStringLiteral("Named like a missing parent"), graph.name(dog),
                                graph.id(dog),
                                QStringLiteral("\"%1\" marks a parent that is not recorded: a "
                                               "parent written so in another case is taken for "
                                               "this dog.")
                                    .arg(core::notOnRecordText)});
    }
}

void checkSexes(const KennelGraph &graph, std::vector<PedigreeProblem> &problems)
{
    for (int dog = 0; dog < graph.size(); ++dog) {
        if (graph.sex(dog) != Sex::Other)
            continue;
        const QString stored = graph.storedSex(dog);
        problems.push_back(
            {QStringLiteral("Sex not Male or Female"), graph.name(dog), graph.id(dog),
             (stored.isEmpty() ? QStringLiteral("No sex is recorded")
                               : QStringLiteral("The sex is recorded as \"%1\"").arg(stored)) +
                 QStringLiteral(": the dog is left out of every Sire and Dam list.")});
    }
}

void listUnrecordedParents(const KennelGraph &graph, std::vector<PedigreeProblem> &problems)
{
    // A popular sire that was never entered can have hundreds of offspring.
    constexpr qsizetype namedAtMost = 20;
    std::map<QString, std::vector<int>> offspring;
    std::vector<QString> firstSeen;
    for (const KennelGraph::UnrecordedParent &parent : graph.unrecordedParents()) {
        std::vector<int> &of = offspring[parent.name];
        if (of.empty())
            firstSeen.push_back(parent.name);
        of.push_back(parent.dog);
    }
    for (const QString &name : firstSeen) {
        const std::vector<int> &of = offspring[name];
        QStringList names;
        for (size_t i = 0; i < of.size() && names.size() < namedAtMost; ++i)
            names << graph.name(of[i]);
        if (qsizetype(of.size()) > namedAtMost)
            names << QStringLiteral("and %1 more").arg(qsizetype(of.size()) - namedAtMost);
        problems.push_back({QStringLiteral("Information"), name, 0,
                            QStringLiteral("named as a parent but not recorded; offspring: ") +
                                names.join(QStringLiteral(", ")),
                            true});
    }
}

} // namespace

std::vector<PedigreeProblem> pedigreeProblems(const KennelGraph &graph)
{
    std::vector<PedigreeProblem> problems;
    for (const std::vector<int> &loop : graph.loops()) {
        QStringList names;
        for (int dog : loop)
            names << graph.name(dog);
        problems.push_back(
            {QStringLiteral("Loop"), graph.name(loop.front()), graph.id(loop.front()),
             QStringLiteral("A dog is its own ancestor: ") + names.join(QStringLiteral(", "))});
    }
    const Pedigree &p = graph.pedigree();
    for (int dog = 0; dog < graph.size(); ++dog) {
        checkParent(graph, dog, p.sire[dog], true, problems);
        checkParent(graph, dog, p.dam[dog], false, problems);
    }
    for (const std::vector<int> &dogs : graph.namesakeGroups()) {
        if (graph.name(dogs.front()).isEmpty())
            continue;
        QStringList ids;
        for (int dog : dogs)
            ids << QString::number(graph.id(dog));
        for (int dog : dogs)
            problems.push_back({QStringLiteral("Name shared"), graph.name(dog), graph.id(dog),
                                QStringLiteral("%1 dogs have this name (IDs %2); a parent of "
                                               "this name is the first of them.")
                                    .arg(dogs.size())
                                    .arg(ids.join(QStringLiteral(", ")))});
    }
    checkMarkerNames(graph, problems);
    checkSexes(graph, problems);
    listUnrecordedParents(graph, problems);
    return problems;
}

namespace {

bool isAscii(std::string_view utf8)
{
    return std::all_of(utf8.begin(), utf8.end(), [](char c) { return quint8(c) < 0x80; });
}

// A name as a second spelling of it would most likely differ: letters and digits alone,
// case folded and accents dropped. Plain ASCII, most names, is keyed without leaving UTF-8.
void duplicateKey(std::string_view utf8, std::string &key)
{
    key.clear();
    if (isAscii(utf8)) {
        for (const char c : utf8) {
            if (c >= 'A' && c <= 'Z')
                key += char(c + ('a' - 'A'));
            else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
                key += c;
        }
        return;
    }
    QString folded;
    for (const QChar c :
         core::searchFolded(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())))) {
        if (c.isLetterOrNumber())
            folded += c;
    }
    key = folded.toStdString();
}

// A registration number as typed twice would differ: blanks around it and case.
void registrationKey(std::string_view utf8, std::string &key)
{
    if (isAscii(utf8)) {
        const auto first = utf8.find_first_not_of(" \t");
        const auto last = utf8.find_last_not_of(" \t");
        key.clear();
        if (first == std::string_view::npos)
            return;
        for (const char c : utf8.substr(first, last - first + 1))
            key += c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
        return;
    }
    key = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()))
              .trimmed()
              .toCaseFolded()
              .toStdString();
}

} // namespace

std::vector<PedigreeProblem> likelyDuplicates(const QSqlDatabase &kennel)
{
    // Each dog's three keys as hashes, sorted: the dogs of one key stand together, the first
    // recorded first. A whole breed database is read once and kept as numbers; two keys of
    // one hash would only offer one pair too many.
    struct Keyed
    {
        size_t hash;
        qint64 id;
        bool operator<(const Keyed &other) const
        {
            return std::tie(hash, id) < std::tie(other.hash, other.id);
        }
    };
    enum Criterion { SameName, SameRegistration, SameMicrochip, Criteria };
    std::vector<Keyed> keyed[Criteria];
    std::string key;
    const std::hash<std::string> hash;
    kennel::scanIdentities(kennel, [&](const kennel::IdentityRow &row) {
        duplicateKey(row.name, key);
        if (!key.empty())
            keyed[SameName].push_back({hash(key), row.id});
        registrationKey(row.registration, key);
        if (!key.empty())
            keyed[SameRegistration].push_back({hash(key), row.id});
        duplicateKey(row.microchip, key);
        if (!key.empty())
            keyed[SameMicrochip].push_back({hash(key), row.id});
    });
    // Each later dog with the first of its key, and by which criteria; in the order of the
    // later dog.
    std::map<std::pair<qint64, qint64>, unsigned> pairs;
    for (int criterion = SameName; criterion < Criteria; ++criterion) {
        std::vector<Keyed> &all = keyed[criterion];
        std::sort(all.begin(), all.end());
        for (size_t first = 0; first < all.size();) {
            size_t next = first + 1;
            for (; next < all.size() && all[next].hash == all[first].hash; ++next)
                pairs[{all[next].id, all[first].id}] |= 1u << criterion;
            first = next;
        }
        std::vector<Keyed>().swap(all);
    }
    auto name = [&kennel](qint64 id) { return kennel::dogName(kennel, id).value_or(QString()); };
    const QString what[Criteria]{QStringLiteral("The same name"),
                                 QStringLiteral("The same registration number"),
                                 QStringLiteral("The same microchip number")};
    std::vector<PedigreeProblem> found;
    for (auto [pair, criteria] : pairs) {
        const auto &[laterId, earlierId] = pair;
        const QString later = name(laterId);
        const QString earlier = name(earlierId);
        // Two dogs of one name but for case are listed as an ambiguous name already.
        if (later.compare(earlier, Qt::CaseInsensitive) == 0)
            criteria &= ~(1u << SameName);
        if (criteria == 0)
            continue;
        const int criterion = std::countr_zero(criteria);
        found.push_back({QStringLiteral("Likely duplicate"), later, laterId,
                         QStringLiteral("%1 as %2 (Dog ID %3), perhaps one dog recorded twice, "
                                        "which Merge Likely Duplicates makes one.")
                             .arg(what[criterion], earlier)
                             .arg(earlierId),
                         false, earlierId, earlier});
    }
    return found;
}

} // namespace genetics
