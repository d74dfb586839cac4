#include "population/PopulationStudy.h"

#include "transfer/CsvExport.h"

#include <algorithm>
#include <QLocale>

namespace population {
namespace {

QString noReference()
{
    return QStringLiteral("No dogs in the reference population");
}

} // namespace

QString twoDecimals(double value)
{
    return QString::number(value, 'f', 2);
}

PopulationStudy studyPopulation(genetics::KennelGenetics &genetics,
                                genetics::ReferenceChoice choice)
{
    if (choice.firstYear > choice.lastYear)
        std::swap(choice.firstYear, choice.lastYear);
    PopulationStudy study;
    study.choice = choice;
    const genetics::KennelGraph &graph = genetics.graph();
    const genetics::Pedigree &p = graph.pedigree();
    study.reference = genetics::referencePopulation(graph, choice);
    study.figures = genetics::populationFigures(graph, genetics.inbreeding(), study.reference.dogs);
    const std::vector<double> &coi = genetics.inbreeding().coefficients();
    study.years = genetics::figuresByYear(graph, coi, study.figures.kinship, choice.firstYear,
                                          choice.lastYear);
    study.founders.reserve(study.figures.founders.founders.size());
    for (const genetics::Founder &founder : study.figures.founders.founders)
        study.founders.push_back({graph.name(founder.dog), founder.weight, founder.share});
    for (int dog = 0; dog < graph.size(); ++dog) {
        if (graph.hasDied(dog) || graph.looped(dog))
            continue;
        const QString sex = graph.sex(dog) == genetics::Sex::Male     ? QStringLiteral("Male")
                            : graph.sex(dog) == genetics::Sex::Female ? QStringLiteral("Female")
                                                                      : graph.storedSex(dog);
        study.ranked.push_back({graph.id(dog), graph.name(dog), sex,
                                graph.born(dog) ? QDate::fromJulianDay(graph.born(dog)) : QDate(),
                                study.figures.kinship[size_t(dog)], coi[size_t(dog)],
                                study.figures.generations[size_t(dog)]});
    }
    std::stable_sort(
        study.ranked.begin(), study.ranked.end(),
        [](const RankedDog &a, const RankedDog &b) { return a.meanKinship < b.meanKinship; });
    study.ancestors = genetics::ancestorGraph(p, study.reference.dogs, study.figures.contributions);
    study.ancestors.ids.reserve(study.ancestors.dogs.size());
    for (const int dog : study.ancestors.dogs)
        study.ancestors.ids.push_back(graph.id(dog));
    return study;
}

const QStringList &figureCaptions()
{
    static const QStringList captions{
        QStringLiteral("Dogs in the reference population"),
        QStringLiteral("Mean COI"),
        QStringLiteral("Mean kinship"),
        QStringLiteral("Founders"),
        QStringLiteral("Founder equivalents (fe)"),
        QStringLiteral("Effective ancestors (fa)"),
        QStringLiteral("Founder genome equivalents (fg)"),
        QStringLiteral("Mean equivalent complete generations"),
        QStringLiteral("Realised effective population size (Ne)"),
        QStringLiteral("Generation interval (years)"),
    };
    return captions;
}

QStringList figureTexts(const PopulationStudy &study, const genetics::EffectiveAncestors *ancestors)
{
    const genetics::PopulationFigures &f = study.figures;
    QStringList texts;
    texts << QLocale().toString(f.size);
    if (f.size == 0) {
        for (int figure = MeanCoi; figure < Figures; ++figure)
            texts << noReference();
        return texts;
    }
    texts << genetics::percent(f.meanCoi) << genetics::percent(f.meanKinship)
          << QLocale().toString(f.founders.count, 'g', 12);
    texts << (f.founders.equivalents > 0.0 ? twoDecimals(f.founders.equivalents)
                                           : QStringLiteral("No founders"));
    texts << (ancestors ? twoDecimals(ancestors->effective) : QStringLiteral("Working out..."));
    texts << twoDecimals(f.founderGenomes) << twoDecimals(f.meanGenerations);
    if (f.deeperThanOne == 0)
        texts << QStringLiteral("No dog has more than one equivalent complete generation");
    else if (f.effectiveSize <= 0.0)
        texts << QStringLiteral("No inbreeding has built up over the generations");
    else
        texts << twoDecimals(f.effectiveSize);
    texts << (f.intervals.all.pairs > 0 ? twoDecimals(f.intervals.all.years)
                                        : QStringLiteral("No parents with dates of birth"));
    return texts;
}

QString pathsLine(const genetics::GenerationIntervals &intervals)
{
    if (intervals.all.pairs == 0 && intervals.parentsNotOlder == 0)
        return {};
    QStringList paths;
    const std::pair<const char *, const genetics::GenerationInterval *> named[] = {
        {"sire–son", &intervals.sireSon},
        {"sire–daughter", &intervals.sireDaughter},
        {"dam–son", &intervals.damSon},
        {"dam–daughter", &intervals.damDaughter},
    };
    for (const auto &[name, path] : named) {
        paths << QString::fromUtf8(name) + QLatin1Char(' ') +
                     (path->pairs > 0 ? twoDecimals(path->years) : QStringLiteral("none"));
    }
    QString text = QStringLiteral("By path: ") + paths.join(QStringLiteral(", "));
    if (intervals.parentsNotOlder > 0)
        text += (intervals.parentsNotOlder == 1
                     ? QStringLiteral("; 1 pair left out")
                     : QStringLiteral("; %1 pairs left out").arg(intervals.parentsNotOlder)) +
                QStringLiteral(": the parent was not born before its offspring");
    return text;
}

QString referenceText(const PopulationStudy &study)
{
    const QLocale locale;
    QString text =
        QStringLiteral("%1 %2 born %3 to %4%5")
            .arg(locale.toString(study.figures.size),
                 study.figures.size == 1 ? QStringLiteral("dog") : QStringLiteral("dogs"))
            .arg(study.choice.firstYear)
            .arg(study.choice.lastYear)
            .arg(study.choice.livingOnly ? QStringLiteral(", living only") : QString());
    if (study.reference.withoutBirth > 0)
        text += QStringLiteral("; %1 left out for lacking a date of birth")
                    .arg(locale.toString(study.reference.withoutBirth));
    return text + QLatin1Char('.');
}

QString loopText(const PopulationStudy &study)
{
    const int looped = study.reference.belowLoops;
    if (looped == 0)
        return {};
    return (looped == 1 ? QStringLiteral("1 dog in or below a loop is")
                        : QStringLiteral("%1 dogs in or below a loop are")
                              .arg(QLocale().toString(looped))) +
           QStringLiteral(" left out of every figure (Genetics > Check Pedigrees names them).");
}

QByteArray rankedCsv(const std::vector<RankedDog> &ranked)
{
    QByteArray csv("dogid,name,sex,born,mean_kinship,coi,ecg\n");
    for (const RankedDog &dog : ranked) {
        csv += QByteArray::number(dog.id) + ',' + transfer::csvField(transfer::guarded(dog.name)) +
               ',' + transfer::csvField(transfer::guarded(dog.sex)) + ',' +
               dog.born.toString(Qt::ISODate).toUtf8() + ',' +
               QByteArray::number(100.0 * dog.meanKinship, 'f', 4) + ',' +
               QByteArray::number(100.0 * dog.coi, 'f', 4) + ',' +
               QByteArray::number(dog.generations, 'f', 4) + '\n';
    }
    return csv;
}

} // namespace population
