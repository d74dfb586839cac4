#pragma once

#include "genetics/Ancestors.h"
#include "genetics/Inbreeding.h"
#include "genetics/KennelGraph.h"

#include <QDate>
#include <vector>

namespace genetics {

// Which dogs the population figures describe.
struct ReferenceChoice
{
    int firstYear = 0;
    int lastYear = 0;
    bool livingOnly = true;
};

// The last eight years of births up to today, living dogs only.
ReferenceChoice defaultReference(const QDate &today);

struct ReferencePopulation
{
    std::vector<int> dogs;
    // Dogs the choice would take but for a date of birth.
    int withoutBirth = 0;
    // Dogs in or below a loop, in the kennel: left out of every figure.
    int belowLoops = 0;
};

// Years given backwards are taken the right way round.
ReferencePopulation referencePopulation(const KennelGraph &graph, ReferenceChoice choice);

struct GenerationInterval
{
    double years = 0.0; // the mean age of the parents; 0 without pairs
    int pairs = 0;
};

struct GenerationIntervals
{
    GenerationInterval all, sireSon, sireDaughter, damSon, damDaughter;
    // Parents with dates of birth not before their offspring's, left out.
    int parentsNotOlder = 0;
};

GenerationIntervals generationIntervals(const KennelGraph &graph,
                                        const std::vector<int> &reference);

struct PopulationFigures
{
    int size = 0;
    double meanCoi = 0.0;
    double meanKinship = 0.0;
    FounderFigures founders;
    double founderGenomes = 0.0; // fg
    double meanGenerations = 0.0;
    // Dogs with more than one equivalent complete generation, and the effective size from
    // their rate of inbreeding; 0 where it cannot be told.
    int deeperThanOne = 0;
    double effectiveSize = 0.0;
    GenerationIntervals intervals;
    // Every dog's mean kinship with the reference, gene contribution to it and equivalent
    // complete generations.
    std::vector<double> kinship, contributions, generations;
};

// Everything but the effective ancestors, which take longer.
PopulationFigures populationFigures(const KennelGraph &graph, Inbreeding &inbreeding,
                                    const std::vector<int> &reference);
// The same without the generation intervals, which need dates of birth.
PopulationFigures pedigreeFigures(const Pedigree &pedigree, const std::vector<double> &inbreeding,
                                  const std::vector<int> &reference);

struct YearFigures
{
    int year;
    int born = 0;
    double meanCoi = 0.0;
    double meanKinship = 0.0;
};

// The dogs born each year from `firstYear` to `lastYear`, living or not, with their mean COI
// and mean kinship with the reference population.
std::vector<YearFigures> figuresByYear(const KennelGraph &graph,
                                       const std::vector<double> &inbreeding,
                                       const std::vector<double> &kinship, int firstYear,
                                       int lastYear);

inline int birthYear(int julianDay)
{
    return QDate::fromJulianDay(julianDay).year();
}

} // namespace genetics
