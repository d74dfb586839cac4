#pragma once

#include "genetics/DnaInheritance.h"
#include "genetics/Inbreeding.h"
#include "genetics/KennelGraph.h"
#include "genetics/MatingFigures.h"

#include <functional>
#include <limits>
#include <memory>
#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace genetics {

inline constexpr int defaultGenerations = 10;

// "12.50%"
QString percent(double value);
// Inbreeding as the screens write it: "12.50% (all generations)", the separator, then
// "12.50% (10 generations)" for the default depth.
QString coiText(double all, double chosen, const QString &separator = QStringLiteral(", "));
// What a screen shows for a COI it could not work out.
inline QString coiNotAvailable()
{
    return QStringLiteral("COI not available: the dogs could not be read");
}
// Names the dogs around a loop for the user.
QString loopMessage(const QStringList &loop);

// A dog's inbreeding, or the loop that keeps it from having one.
struct DogInbreeding
{
    double all = 0.0;
    double chosen = 0.0;
    QStringList loop;
};

struct SireChoice
{
    int dog;
    double litterInbreeding; // NaN when the sire lies below a loop
    double relationship;
    // The highest share of pups showing a condition over the DNA tests; NaN where it cannot
    // be ruled out without knowing it.
    double affectedRisk = 0.0;
    // His pedigree's completeness, in equivalent complete generations.
    double completeness = 0.0;
    // His mean kinship with the reference population; NaN where it was not asked for.
    double meanKinship = std::numeric_limits<double>::quiet_NaN();
};

// The kennel's graph with what is worked out from it, kept as long as the dogs table stays
// as it was: this connection's writes and other programs' commits both make it read again.
class KennelGenetics
{
public:
    // The genetics of the kennel as it stands; read again when the dogs have changed.
    static KennelGenetics &current(const QSqlDatabase &kennel);
    // Forgets the kennel; the next use reads it again.
    static void forget();
    // Whether `current` would answer at once.
    static bool isCurrent(const QSqlDatabase &kennel);
    // Why the last preparation could not read the dogs as they stand, or empty; it is not
    // tried again until the dogs change.
    static QString preparationProblem(const QSqlDatabase &kennel);
    // Reads the kennel and works out every dog's inbreeding on a thread of its own, on a
    // connection of its own to the file, and makes that current unless the dogs changed
    // meanwhile; then `ready` runs, on this thread, while `context` lives.
    static void prepare(const QSqlDatabase &kennel, QObject *context,
                        const std::function<void()> &ready);
    // Waits for a preparation under way, as the program ends.
    static void waitForPreparation();

    // Why the dogs could not be read, or empty. Genetics that could not be read are never
    // kept: the next `current` reads again.
    QString problem() const { return m_problem; }
    const KennelGraph &graph() const { return m_graph; }
    Inbreeding &inbreeding() { return *m_inbreeding; }

    DogInbreeding ofDog(int dog, int generations = defaultGenerations);
    // Every dog, with progress through `done(count)`, which answers false to stop.
    std::vector<DogInbreeding> ofEveryDog(int generations,
                                          const std::function<bool(int)> &done = {});
    // The loop above either parent, or empty.
    QStringList loopAbove(int sire, int dam) const;
    MatingFigures mating(int sire, int dam, int generations);
    // Every dog's status for every DNA test the kennel uses, worked out again when the dogs,
    // the tests, their results or the kennel's choices have changed.
    const DnaStatuses &dnaStatuses(const QSqlDatabase &kennel);

    // Every living male with the litter he would give with `dam`, lowest inbreeding first.
    std::vector<SireChoice> bestSires(int dam);
    // Every dog's mean kinship with the reference dogs (NaN in or below a loop).
    std::vector<double> meanKinship(const std::vector<int> &reference);

private:
    // The genetics kept, brought up to date in place with the writes since they were made
    // where that can be done; nothing when they must be read again.
    static KennelGenetics *upToDate(const QSqlDatabase &kennel, const QString &version);

    KennelGraph m_graph;
    std::unique_ptr<Inbreeding> m_inbreeding;
    QString m_problem;
    QString m_version;
    std::unique_ptr<DnaStatuses> m_dna;
    QString m_dnaVersion;
};

} // namespace genetics
