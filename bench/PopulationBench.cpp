#include "bench/PopulationBench.h"

#include "bench/Timing.h"
#include "db/DatabaseFiles.h"
#include "genetics/Kinship.h"
#include "genetics/Population.h"
#include "population/MatingMatrix.h"
#include "population/PopulationScreen.h"
#include "population/PopulationStudy.h"

#include <QCoreApplication>
#include <QSpinBox>

namespace bench {
namespace {

// The latest years of birth that hold a tenth of the kennel's dogs.
genetics::ReferenceChoice tenthOfTheKennel(const genetics::KennelGraph &graph)
{
    genetics::ReferenceChoice choice{2026, 2026, false};
    while (choice.firstYear > 1800 &&
           int(genetics::referencePopulation(graph, choice).dogs.size()) < graph.size() / 10)
        --choice.firstYear;
    return choice;
}

} // namespace

void benchPopulation()
{
    if (!db::DatabaseFiles::open().isEmpty())
        qFatal("cannot open the kennel");
    genetics::KennelGenetics &genetics =
        genetics::KennelGenetics::current(db::DatabaseFiles::kennel());
    const genetics::Pedigree &p = genetics.graph().pedigree();
    const std::vector<double> &coi = genetics.inbreeding().coefficients();
    const genetics::ReferenceChoice choice = tenthOfTheKennel(genetics.graph());
    const std::vector<int> reference = genetics::referencePopulation(genetics.graph(), choice).dogs;
    printValue("reference population (dogs born " + QString::number(choice.firstYear) + " on)",
               QString::number(reference.size()));
    const double before = residentMb();
    std::vector<double> kinship;
    printLine("mean kinship of every dog (floor: 1 s)",
              medianMs(5,
                       [&] {
                           kinship = genetics::meanKinship(
                               p, coi, genetics::geneContributions(p, reference));
                       }),
              1000);
    genetics::PopulationFigures figures;
    printLine("fe, fg, ECG, Ne and intervals with it (floor: 2 s)",
              medianMs(3,
                       [&] {
                           figures = genetics::populationFigures(genetics.graph(),
                                                                 genetics.inbreeding(), reference);
                       }),
              2000);
    genetics::EffectiveAncestors ancestors;
    printLine("effective ancestors (floor: 10 s)",
              medianMs(1,
                       [&] {
                           ancestors = genetics::effectiveAncestors(
                               genetics::ancestorGraph(p, reference, figures.contributions));
                       }),
              10000);
    printValue("  fe / fa / fg / Ne",
               QStringList{population::twoDecimals(figures.founders.equivalents),
                           population::twoDecimals(ancestors.effective),
                           population::twoDecimals(figures.founderGenomes),
                           population::twoDecimals(figures.effectiveSize)}
                   .join(" / "));
    printValue("  ancestors taken, share explained", QString::number(ancestors.taken.size()) +
                                                         ", " +
                                                         genetics::percent(ancestors.explained));
    printValue("memory added by the figures (MB)", QString::number(residentMb() - before, 'f', 1));

    const double opened = medianMs(3, [&] {
        population::PopulationScreen screen;
        screen.findChild<QSpinBox *>("firstYear")->setValue(choice.firstYear);
        screen.findChild<QSpinBox *>("lastYear")->setValue(choice.lastYear);
        screen.show();
        while (!screen.isLoaded())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    });
    printLine("Population Genetics opened and filled (floor: 4 s)", opened, 4000);

    const population::Candidates candidates = population::matingCandidates(
        db::DatabaseFiles::kennel(), genetics.graph(), {}, QDate(2026, 12, 1));
    auto first50 = [](const std::vector<population::Candidate> &dogs) {
        return std::vector<population::Candidate>(
            dogs.begin(), dogs.begin() + std::min<ptrdiff_t>(50, ptrdiff_t(dogs.size())));
    };
    population::MatingMatrix matrix;
    printLine("50 x 50 mating matrix with mean kinship (floor: 1 s)",
              medianMs(3,
                       [&] {
                           const std::vector<double> kinship = genetics.meanKinship(
                               genetics::referencePopulation(
                                   genetics.graph(), genetics::defaultReference(QDate(2026, 12, 1)))
                                   .dogs);
                           matrix = population::matingMatrix(db::DatabaseFiles::kennel(), genetics,
                                                             first50(candidates.males),
                                                             first50(candidates.females), kinship);
                       }),
              1000);
    printValue("  pairs", QString::number(matrix.cells.size()));
    genetics::KennelGenetics::forget();
    db::DatabaseFiles::close();
}

} // namespace bench
