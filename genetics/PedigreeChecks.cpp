#include "genetics/PedigreeChecks.h"

#include "core/DateText.h"

#include <map>
#include <QDate>

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
    return problems;
}

} // namespace genetics
