#include "genetics/Population.h"

#include "genetics/Kinship.h"

#include <cmath>
#include <utility>

namespace genetics {

ReferenceChoice defaultReference(const QDate &today)
{
    return {today.year() - 7, today.year(), true};
}

ReferencePopulation referencePopulation(const KennelGraph &graph, ReferenceChoice choice)
{
    if (choice.firstYear > choice.lastYear)
        std::swap(choice.firstYear, choice.lastYear);
    ReferencePopulation reference;
    for (int dog = 0; dog < graph.size(); ++dog) {
        if (graph.looped(dog)) {
            ++reference.belowLoops;
            continue;
        }
        if (choice.livingOnly && graph.hasDied(dog))
            continue;
        if (graph.born(dog) == 0) {
            ++reference.withoutBirth;
            continue;
        }
        const int year = birthYear(graph.born(dog));
        if (year >= choice.firstYear && year <= choice.lastYear)
            reference.dogs.push_back(dog);
    }
    return reference;
}

GenerationIntervals generationIntervals(const KennelGraph &graph, const std::vector<int> &reference)
{
    constexpr double daysInYear = 365.25;
    GenerationIntervals intervals;
    const Pedigree &p = graph.pedigree();
    auto add = [](GenerationInterval &path, double years) {
        path.years += years;
        ++path.pairs;
    };
    for (const int dog : reference) {
        const int born = graph.born(dog);
        if (born == 0)
            continue;
        for (const bool bySire : {true, false}) {
            const int parent = bySire ? p.sire[size_t(dog)] : p.dam[size_t(dog)];
            if (!p.known(parent) || graph.born(parent) == 0)
                continue;
            if (graph.born(parent) >= born) {
                ++intervals.parentsNotOlder;
                continue;
            }
            const double years = (born - graph.born(parent)) / daysInYear;
            add(intervals.all, years);
            if (graph.sex(dog) == Sex::Male)
                add(bySire ? intervals.sireSon : intervals.damSon, years);
            else if (graph.sex(dog) == Sex::Female)
                add(bySire ? intervals.sireDaughter : intervals.damDaughter, years);
        }
    }
    for (GenerationInterval *path : {&intervals.all, &intervals.sireSon, &intervals.sireDaughter,
                                     &intervals.damSon, &intervals.damDaughter}) {
        if (path->pairs > 0)
            path->years /= path->pairs;
    }
    return intervals;
}

PopulationFigures pedigreeFigures(const Pedigree &p, const std::vector<double> &coi,
                                  const std::vector<int> &reference)
{
    PopulationFigures figures;
    figures.size = int(reference.size());
    figures.contributions = geneContributions(p, reference);
    figures.kinship = meanKinship(p, coi, figures.contributions);
    figures.generations = equivalentGenerations(p);
    figures.founders = founderFigures(p, figures.contributions);
    if (reference.empty())
        return figures;
    double rateOfInbreeding = 0.0;
    for (const int dog : reference) {
        figures.meanCoi += coi[size_t(dog)];
        figures.meanKinship += figures.kinship[size_t(dog)];
        const double generations = figures.generations[size_t(dog)];
        figures.meanGenerations += generations;
        if (generations > 1.0) {
            rateOfInbreeding += 1.0 - std::pow(1.0 - coi[size_t(dog)], 1.0 / (generations - 1.0));
            ++figures.deeperThanOne;
        }
    }
    const double size = double(reference.size());
    figures.meanCoi /= size;
    figures.meanKinship /= size;
    figures.meanGenerations /= size;
    figures.founderGenomes = figures.meanKinship > 0.0 ? 1.0 / (2.0 * figures.meanKinship) : 0.0;
    if (figures.deeperThanOne > 0 && rateOfInbreeding > 0.0)
        figures.effectiveSize = 1.0 / (2.0 * rateOfInbreeding / figures.deeperThanOne);
    return figures;
}

PopulationFigures populationFigures(const KennelGraph &graph, Inbreeding &inbreeding,
                                    const std::vector<int> &reference)
{
    PopulationFigures figures =
        pedigreeFigures(graph.pedigree(), inbreeding.coefficients(), reference);
    figures.intervals = generationIntervals(graph, reference);
    return figures;
}

std::vector<YearFigures> figuresByYear(const KennelGraph &graph,
                                       const std::vector<double> &inbreeding,
                                       const std::vector<double> &kinship, int firstYear,
                                       int lastYear)
{
    if (firstYear > lastYear)
        std::swap(firstYear, lastYear);
    std::vector<YearFigures> years;
    for (int year = firstYear; year <= lastYear; ++year)
        years.push_back({year});
    for (int dog = 0; dog < graph.size(); ++dog) {
        if (graph.looped(dog) || graph.born(dog) == 0)
            continue;
        const int year = birthYear(graph.born(dog));
        if (year < firstYear || year > lastYear)
            continue;
        YearFigures &figures = years[size_t(year - firstYear)];
        ++figures.born;
        figures.meanCoi += inbreeding[size_t(dog)];
        figures.meanKinship += kinship[size_t(dog)];
    }
    for (YearFigures &figures : years) {
        if (figures.born > 0) {
            figures.meanCoi /= figures.born;
            figures.meanKinship /= figures.born;
        }
    }
    return years;
}

} // namespace genetics
