#pragma once

#include "genetics/KennelGenetics.h"
#include "genetics/Population.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

namespace population {

// A living dog with its place in the breed's diversity.
struct RankedDog
{
    qint64 id;
    QString name;
    QString sex; // as stored
    QDate born;
    double meanKinship;
    double coi;
    double generations;
};

struct NamedFounder
{
    QString name;
    double weight;
    double share;
};

// The population figures of one reference population, with every name they show copied out,
// so that they stay as they were while the kennel changes beneath them.
struct PopulationStudy
{
    genetics::ReferenceChoice choice; // the years in order
    genetics::ReferencePopulation reference;
    genetics::PopulationFigures figures;
    std::vector<genetics::YearFigures> years;
    std::vector<NamedFounder> founders;
    // The living dogs outside every loop, lowest mean kinship first.
    std::vector<RankedDog> ranked;
    // What the effective ancestors are worked out on, apart: they take longer.
    genetics::AncestorGraph ancestors;
};

PopulationStudy studyPopulation(genetics::KennelGenetics &genetics,
                                genetics::ReferenceChoice choice);

// The captions of the figures, in the order they are shown.
const QStringList &figureCaptions();
enum Figure {
    ReferenceSize,
    MeanCoi,
    MeanKinship,
    Founders,
    FounderEquivalents,
    EffectiveAncestors,
    FounderGenomes,
    MeanGenerations,
    EffectiveSize,
    GenerationInterval,
    Figures
};

// Each figure's text, or why it cannot be worked out; the effective ancestors as `ancestors`
// says (while they are worked out, "Working out...").
QStringList figureTexts(const PopulationStudy &study,
                        const genetics::EffectiveAncestors *ancestors);
// The generation interval along each path, "By path: sire–son 4.10, ...", or empty without
// dates of birth.
QString pathsLine(const genetics::GenerationIntervals &intervals);

// "2,345 dogs born 2019 to 2026, living only; 12 left out for lacking a date of birth."
QString referenceText(const PopulationStudy &study);
// The line about dogs left out for a loop, or empty.
QString loopText(const PopulationStudy &study);

// The ranked list with the header dogid,name,sex,born,mean_kinship,coi,ecg.
QByteArray rankedCsv(const std::vector<RankedDog> &ranked);

// A figure written with two decimals.
QString twoDecimals(double value);

} // namespace population
