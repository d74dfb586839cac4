#include "genetics/PedigreeChecks.h"

#include "core/DateText.h"
#include "core/SearchText.h"
#include "db/Fields.h"
#include "db/RawRows.h"
#include "db/SqlText.h"
#include "db/Tables.h"

#include <algorithm>
#include <map>
#include <QDate>
#include <QHash>
#include <QSet>

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
        if (graph.name(dog).compare(QLatin1String("Not On Record"), Qt::CaseInsensitive) == 0)
            problems.push_back({QStringLiteral("Named like a missing parent"), graph.name(dog),
                                graph.id(dog),
                                QStringLiteral("\"Not On Record\" marks a parent that is not "
                                               "recorded: a parent written so in another case "
                                               "is taken for this dog.")});
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
    std::map<int, std::vector<int>> namesakes;
    for (int dog = 0; dog < graph.size(); ++dog) {
        if (graph.namesakes(dog) > 1 && !graph.name(dog).isEmpty())
            namesakes[graph.nameGroup(dog)].push_back(dog);
    }
    for (const auto &[group, dogs] : namesakes) {
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

// A name as a second spelling of it would most likely differ: letters and digits alone,
// case folded and accents dropped. Plain ASCII, most names, is keyed without leaving UTF-8.
QByteArray duplicateKey(std::string_view utf8)
{
    QByteArray key;
    if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return quint8(c) < 0x80; })) {
        key.reserve(qsizetype(utf8.size()));
        for (const char c : utf8) {
            if (c >= 'A' && c <= 'Z')
                key += char(c + ('a' - 'A'));
            else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
                key += c;
        }
        return key;
    }
    QString folded;
    for (const QChar c :
         core::searchFolded(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())))) {
        if (c.isLetterOrNumber())
            folded += c;
    }
    return folded.toUtf8();
}

} // namespace

std::vector<PedigreeProblem> likelyDuplicates(const QSqlDatabase &kennel)
{
    namespace dog = db::fields::dogs;
    enum Column { Id, Name, Registration, Microchip };
    std::vector<PedigreeProblem> found;
    struct First
    {
        qint64 id;
        QString name;
    };
    QHash<QByteArray, First> byName, byRegistration, byMicrochip;
    QSet<QPair<qint64, qint64>> listed;
    db::scanRows(
        kennel,
        db::selectFrom(db::tables::dogs, {dog::id, dog::name, dog::registration, dog::microchip}) +
            QStringLiteral(" ORDER BY rowid"),
        [&](const db::RawRow &row) {
            const qint64 id = row.whole(Id);
            auto pairUp = [&](QHash<QByteArray, First> &seen, const QByteArray &key,
                              const QString &what, bool exactNamesCount) {
                if (key.isEmpty())
                    return;
                const auto earlier = seen.constFind(key);
                if (earlier == seen.constEnd()) {
                    seen.insert(key, {id, row.string(Name)});
                    return;
                }
                const QString name = row.string(Name);
                // Two dogs of one name but for case are listed as an ambiguous name already.
                if ((!exactNamesCount && earlier->name.compare(name, Qt::CaseInsensitive) == 0) ||
                    listed.contains({earlier->id, id}))
                    return;
                listed.insert({earlier->id, id});
                found.push_back({QStringLiteral("Likely duplicate"), name, id,
                                 QStringLiteral("%1 as %2 (Dog ID %3), perhaps one dog recorded "
                                                "twice, which Merge Likely Duplicates makes one.")
                                     .arg(what, earlier->name)
                                     .arg(earlier->id),
                                 false, earlier->id, earlier->name});
            };
            pairUp(byName, duplicateKey(row.text(Name)), QStringLiteral("The same name"), false);
            if (const std::string_view registration = row.text(Registration); !registration.empty())
                pairUp(byRegistration,
                       QString::fromUtf8(registration.data(), qsizetype(registration.size()))
                           .trimmed()
                           .toCaseFolded()
                           .toUtf8(),
                       QStringLiteral("The same registration number"), true);
            if (const std::string_view microchip = row.text(Microchip); !microchip.empty())
                pairUp(byMicrochip, duplicateKey(microchip),
                       QStringLiteral("The same microchip number"), true);
        });
    return found;
}

} // namespace genetics
