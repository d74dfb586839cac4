#include "TestSupport.h"

#include "genetics/Ancestors.h"
#include "genetics/KennelGenetics.h"
#include "genetics/Kinship.h"
#include "genetics/Population.h"

#include <cmath>
#include <QRandomGenerator>
#include <QtTest>

using namespace genetics;

namespace {

using Matrix = std::vector<std::vector<double>>;

// A kennel written as "name sex born sire dam [died]" lines, "-" for none.
class PopulationKennel
{
public:
    explicit PopulationKennel(const QStringList &lines)
    {
        testing::exec(m_kennel.db(), QStringLiteral("BEGIN"));
        for (const QString &line : lines) {
            const QStringList p = line.split(QLatin1Char(' '));
            QVariantMap fields{{QStringLiteral("name"), p[0]},
                               {QStringLiteral("sex"), p[1] == QLatin1String("m")
                                                           ? QStringLiteral("Male")
                                                           : QStringLiteral("Female")}};
            const QStringList names{QStringLiteral("dob"), QStringLiteral("sire"),
                                    QStringLiteral("dam"), QStringLiteral("dod")};
            for (qsizetype i = 2; i < p.size(); ++i) {
                if (p[i] != QLatin1String("-"))
                    fields[names[i - 2]] = p[i];
            }
            testing::addDog(m_kennel.db(), fields);
        }
        testing::exec(m_kennel.db(), QStringLiteral("COMMIT"));
        KennelGenetics::forget();
    }
    ~PopulationKennel() { KennelGenetics::forget(); }
    KennelGenetics &genetics() { return KennelGenetics::current(m_kennel.db()); }
    int dog(const QString &name) { return genetics().graph().find(name); }

private:
    testing::Kennel m_kennel;
};

// A closed population of parents chosen among the last generations, some unknown.
Pedigree randomPedigree(int dogs, quint32 seed)
{
    QRandomGenerator random(seed);
    Pedigree p;
    for (int dog = 0; dog < dogs; ++dog) {
        int sire = unknown;
        int dam = unknown;
        if (dog >= 20) {
            const int from = std::max(0, dog - 150);
            sire = random.bounded(15) == 0 ? unknown : from + int(random.bounded(dog - from));
            dam = random.bounded(25) == 0 ? unknown : from + int(random.bounded(dog - from));
        }
        p.sire.push_back(sire);
        p.dam.push_back(dam);
        p.order.push_back(dog);
    }
    p.place = p.order;
    return p;
}

// The relationship matrix by the tabular method (parents before offspring).
Matrix relationships(const Pedigree &p)
{
    const size_t n = size_t(p.size());
    Matrix a(n, std::vector<double>(n, 0.0));
    for (size_t i = 0; i < n; ++i) {
        const int s = p.sire[i];
        const int d = p.dam[i];
        for (size_t j = 0; j < i; ++j) {
            const double r = 0.5 * ((s != unknown ? a[size_t(s)][j] : 0.0) +
                                    (d != unknown ? a[size_t(d)][j] : 0.0));
            a[i][j] = a[j][i] = r;
        }
        a[i][i] = 1.0 + (s != unknown && d != unknown ? 0.5 * a[size_t(s)][size_t(d)] : 0.0);
    }
    return a;
}

// T[i][j]: the share of i's genes that come from j, summed over every path, with the
// parents of each dog in `cut` left out.
Matrix geneShares(const Pedigree &p, const std::vector<bool> &cut = {})
{
    const size_t n = size_t(p.size());
    Matrix t(n, std::vector<double>(n, 0.0));
    for (size_t i = 0; i < n; ++i) {
        t[i][i] = 1.0;
        if (!cut.empty() && cut[i])
            continue;
        for (const int parent : {p.sire[i], p.dam[i]}) {
            if (parent == unknown)
                continue;
            for (size_t j = 0; j <= size_t(parent); ++j)
                t[i][j] += 0.5 * t[size_t(parent)][j];
        }
    }
    return t;
}

// The published procedure step by step on dense matrices: each step cuts the pedigrees of
// the ancestors taken, works every contribution out afresh, and takes the largest marginal.
EffectiveAncestors plainEffectiveAncestors(const Pedigree &p, const std::vector<int> &reference)
{
    const size_t n = size_t(p.size());
    std::vector<bool> isAncestor(n, false);
    const Matrix full = geneShares(p);
    std::vector<double> reach(n, 0.0);
    for (const int r : reference) {
        for (size_t j = 0; j < n; ++j)
            reach[j] += full[size_t(r)][j];
    }
    for (size_t i = 0; i < n; ++i) {
        for (const int parent : {p.sire[i], p.dam[i]}) {
            if (reach[i] > 0.0)
                isAncestor[parent == unknown ? i : size_t(parent)] = true;
        }
    }
    EffectiveAncestors result;
    std::vector<bool> taken(n, false);
    double squares = 0.0;
    while (result.explained < 1.0 - unexplainedShare &&
           int(result.taken.size()) < mostEffectiveAncestors) {
        const Matrix cutShares = geneShares(p, taken);
        size_t best = n;
        double bestMarginal = 0.0;
        for (size_t k = 0; k < n; ++k) {
            if (!isAncestor[k] || taken[k])
                continue;
            double contribution = 0.0;
            for (const int r : reference)
                contribution += cutShares[size_t(r)][k];
            contribution /= double(reference.size());
            double fromTaken = 0.0;
            for (size_t j = 0; j < n; ++j) {
                if (taken[j])
                    fromTaken += cutShares[k][j];
            }
            const double marginal = contribution * (1.0 - fromTaken);
            if (marginal > bestMarginal + 1e-15) {
                bestMarginal = marginal;
                best = k;
            }
        }
        if (best == n)
            break;
        taken[best] = true;
        result.taken.push_back({int(best), 0, 0.0, bestMarginal});
        result.explained += bestMarginal;
        squares += bestMarginal * bestMarginal;
    }
    result.effective = squares > 0.0 ? 1.0 / squares : 0.0;
    return result;
}

std::vector<int> everyTenth(const Pedigree &p, int from)
{
    std::vector<int> reference;
    for (int dog = from; dog < p.size(); dog += 10)
        reference.push_back(dog);
    return reference;
}

} // namespace

class KinshipTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textbookPopulations_data();
    void textbookPopulations();
    void kinshipAndGenerationsEqualTheMatrices();
    void effectiveAncestorsFollowThePublishedProcedure();
    void generationIntervalsByPath();
    void referencePopulationChoice_data();
    void referencePopulationChoice();
    void loopsAreLeftOutOfEveryFigure();
};

void KinshipTest::textbookPopulations_data()
{
    QTest::addColumn<QStringList>("dogs");
    QTest::addColumn<double>("meanKinship");
    QTest::addColumn<double>("founders");
    QTest::addColumn<double>("fe");
    QTest::addColumn<double>("fa");
    QTest::addColumn<double>("meanEcg");
    QTest::addColumn<double>("ne"); // 0: cannot be told
    // Two full siblings of unrelated parents: each with itself 1/2, with the other 1/4.
    QTest::newRow("full siblings") << QStringList{"A m 2000-01-01", "B f 2000-01-01",
                                                  "C m 2024-01-01 A B", "D f 2024-01-01 A B"}
                                   << 0.375 << 2.0 << 2.0 << 2.0 << 1.0 << 0.0;
    // A litter of half siblings: F = 1/8, so the litter's kinship with itself is 9/16; two
    // equivalent generations give a rate of inbreeding of 1/8 and Ne = 4.
    QTest::newRow("half-sibling mating")
        << QStringList{"S m 2000-01-01",     "E f 2000-01-01",     "G f 2000-01-01",
                       "X m 2010-01-01 S E", "Y f 2010-01-01 S G", "Z m 2024-01-01 X Y"}
        << 0.5625 << 3.0 << 8.0 / 3.0 << 8.0 / 3.0 << 2.0 << 4.0;
    // H's dam is unknown: half a founder, with a quarter of Z's genes; K has three quarters.
    // F = 1/4 and ECG = 1.25, so the rate of inbreeding is 1 - (3/4)^4.
    QTest::newRow("founder with one unknown parent")
        << QStringList{"K m 2000-01-01", "H f 2010-01-01 K -", "Z m 2024-01-01 K H"} << 0.625 << 1.5
        << 1.6 << 1.6 << 1.25 << 1.0 / (2.0 * (1.0 - std::pow(0.75, 4)));
}

void KinshipTest::textbookPopulations()
{
    QFETCH(QStringList, dogs);
    QFETCH(double, meanKinship);
    QFETCH(double, founders);
    QFETCH(double, fe);
    QFETCH(double, fa);
    QFETCH(double, meanEcg);
    QFETCH(double, ne);
    PopulationKennel kennel(dogs);
    KennelGenetics &g = kennel.genetics();
    const ReferencePopulation reference =
        referencePopulation(g.graph(), defaultReference(QDate(2026, 12, 10)));
    const PopulationFigures figures = populationFigures(g.graph(), g.inbreeding(), reference.dogs);
    QCOMPARE_GT(figures.size, 0);
    QVERIFY(std::abs(figures.meanKinship - meanKinship) < 1e-12);
    QVERIFY(std::abs(figures.founderGenomes - 1.0 / (2.0 * meanKinship)) < 1e-12);
    QCOMPARE(figures.founders.count, founders);
    QVERIFY(std::abs(figures.founders.equivalents - fe) < 1e-12);
    double shares = 0.0;
    for (const Founder &founder : figures.founders.founders)
        shares += founder.share;
    QVERIFY(std::abs(shares - 1.0) < 1e-12);
    QVERIFY(std::abs(figures.meanGenerations - meanEcg) < 1e-12);
    if (ne == 0.0)
        QCOMPARE(figures.effectiveSize, 0.0);
    else
        QVERIFY(std::abs(figures.effectiveSize - ne) < 1e-9);
    const AncestorGraph graph =
        ancestorGraph(g.graph().pedigree(), reference.dogs, figures.contributions);
    QVERIFY(std::abs(effectiveAncestors(graph).effective - fa) < 1e-12);
}

void KinshipTest::kinshipAndGenerationsEqualTheMatrices()
{
    const Pedigree p = randomPedigree(2000, 31);
    const Matrix a = relationships(p);
    const Matrix t = geneShares(p);
    Inbreeding inbreeding(p);
    const std::vector<int> reference = everyTenth(p, 1500);
    const std::vector<double> contributions = geneContributions(p, reference);
    const std::vector<double> kinship = meanKinship(p, inbreeding.coefficients(), contributions);
    const std::vector<double> generations = equivalentGenerations(p);
    double worst = 0.0;
    for (int dog = 0; dog < p.size(); ++dog) {
        double expected = 0.0;
        double ecg = -1.0; // the dog itself is no ancestor
        for (const int r : reference)
            expected += 0.5 * a[size_t(dog)][size_t(r)];
        for (const double share : t[size_t(dog)])
            ecg += share;
        expected /= double(reference.size());
        worst = std::max({worst, std::abs(kinship[size_t(dog)] - expected),
                          std::abs(generations[size_t(dog)] - ecg)});
    }
    QVERIFY2(worst < 1e-12, qPrintable(QString::number(worst)));
    // fe, fg and Ne from the dense matrices: each founder's share of the genes, the mean of
    // the reference's kinship, and each reference dog's inbreeding over its generations.
    double squares = 0.0;
    for (int dog = 0; dog < p.size(); ++dog) {
        const int unknownParents =
            int(p.sire[size_t(dog)] == unknown) + int(p.dam[size_t(dog)] == unknown);
        double share = 0.0;
        for (const int r : reference)
            share += t[size_t(r)][size_t(dog)];
        share *= 0.5 * unknownParents / double(reference.size());
        squares += share * share;
    }
    double kinshipSum = 0.0;
    double rate = 0.0;
    int deeper = 0;
    for (const int r : reference) {
        for (const int other : reference)
            kinshipSum += 0.5 * a[size_t(r)][size_t(other)];
        double ecg = -1.0;
        for (const double share : t[size_t(r)])
            ecg += share;
        if (ecg > 1.0) {
            rate += 1.0 - std::pow(2.0 - a[size_t(r)][size_t(r)], 1.0 / (ecg - 1.0));
            ++deeper;
        }
    }
    const double size = double(reference.size());
    const PopulationFigures figures = pedigreeFigures(p, inbreeding.coefficients(), reference);
    QVERIFY(std::abs(figures.founders.equivalents - 1.0 / squares) < 1e-9);
    QVERIFY(std::abs(figures.founderGenomes - size * size / (2.0 * kinshipSum)) < 1e-9);
    QCOMPARE(figures.deeperThanOne, deeper);
    QVERIFY(std::abs(figures.effectiveSize - deeper / (2.0 * rate)) < 1e-9 * figures.effectiveSize);
}

void KinshipTest::effectiveAncestorsFollowThePublishedProcedure()
{
    for (const quint32 seed : {5u, 17u}) {
        const Pedigree p = randomPedigree(260, seed);
        const std::vector<int> reference = everyTenth(p, 200);
        const AncestorGraph graph = ancestorGraph(p, reference, geneContributions(p, reference));
        const EffectiveAncestors fast = effectiveAncestors(graph);
        const EffectiveAncestors plain = plainEffectiveAncestors(p, reference);
        QCOMPARE(fast.taken.size(), plain.taken.size());
        for (size_t i = 0; i < fast.taken.size(); ++i) {
            QVERIFY(std::abs(fast.taken[i].marginal - plain.taken[i].marginal) < 1e-12);
            // Ties may be taken in either order; their marginals are equal.
        }
        QVERIFY(std::abs(fast.effective - plain.effective) < 1e-9 * plain.effective);
        QVERIFY(fast.explained <= 1.0 + 1e-12);
    }
}

void KinshipTest::generationIntervalsByPath()
{
    // Ages in whole years of 365.25 days: four years from 2000-01-01 is 1461 days.
    PopulationKennel kennel({"K m 2000-01-01", "H f 2004-01-01 K -", "Z m 2008-01-01 K H",
                             "Q f 2008-01-01 K H", "Late m 2010-01-01",
                             "Early f 2008-01-01 Late H"});
    KennelGenetics &g = kennel.genetics();
    const ReferencePopulation reference = referencePopulation(g.graph(), {2005, 2026, true});
    const GenerationIntervals intervals = generationIntervals(g.graph(), reference.dogs);
    QCOMPARE(intervals.sireSon.pairs, 1);
    QCOMPARE(intervals.sireSon.years, 8.0);
    QCOMPARE(intervals.damSon.years, 4.0);
    QCOMPARE(intervals.sireDaughter.years, 8.0);
    // Early's dam counts; her sire, born after her, is left out and counted.
    QCOMPARE(intervals.damDaughter.pairs, 2);
    QCOMPARE(intervals.damDaughter.years, 4.0);
    QCOMPARE(intervals.parentsNotOlder, 1);
    QCOMPARE(intervals.all.pairs, 5);
}

void KinshipTest::referencePopulationChoice_data()
{
    QTest::addColumn<QStringList>("dogs");
    QTest::addColumn<int>("firstYear");
    QTest::addColumn<int>("lastYear");
    QTest::addColumn<bool>("livingOnly");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("withoutBirth");
    const QStringList kennel{"A m 2010-05-01",     "B f 2019-01-01",
                             "C m 2026-12-31 A B", "D f 2022-03-03 A B 2024-01-01",
                             "E m - A B",          "F f -"};
    QTest::newRow("the last eight years, living") << kennel << 2019 << 2026 << true << 2 << 2;
    QTest::newRow("the dead counted too") << kennel << 2019 << 2026 << false << 3 << 2;
    QTest::newRow("years typed backwards") << kennel << 2026 << 2019 << true << 2 << 2;
    QTest::newRow("a year with no dogs") << kennel << 1990 << 1990 << true << 0 << 2;
    QTest::newRow("one dog") << kennel << 2010 << 2010 << true << 1 << 2;
    QTest::newRow("no dates of birth")
        << QStringList{"E m -", "F f -"} << 2019 << 2026 << true << 0 << 2;
    QTest::newRow("an empty kennel") << QStringList{} << 2019 << 2026 << true << 0 << 0;
}

void KinshipTest::referencePopulationChoice()
{
    QFETCH(QStringList, dogs);
    QFETCH(int, firstYear);
    QFETCH(int, lastYear);
    QFETCH(bool, livingOnly);
    QFETCH(int, size);
    QFETCH(int, withoutBirth);
    PopulationKennel kennel(dogs);
    KennelGenetics &g = kennel.genetics();
    const ReferencePopulation reference =
        referencePopulation(g.graph(), {firstYear, lastYear, livingOnly});
    QCOMPARE(int(reference.dogs.size()), size);
    QCOMPARE(reference.withoutBirth, withoutBirth);
    const PopulationFigures figures = populationFigures(g.graph(), g.inbreeding(), reference.dogs);
    QCOMPARE(figures.size, size);
    for (const double value : {figures.meanCoi, figures.meanKinship, figures.founderGenomes,
                               figures.meanGenerations, figures.effectiveSize})
        QVERIFY(std::isfinite(value));
    if (size == 1) {
        // One dog of unknown parents: its kinship with itself is a half.
        QCOMPARE(figures.meanKinship, 0.5);
        QCOMPARE(figures.founders.count, 1.0);
    }
    // Every gene is explained, a founder of the reference standing for its unknown parents.
    const AncestorGraph graph =
        ancestorGraph(g.graph().pedigree(), reference.dogs, figures.contributions);
    const EffectiveAncestors ancestors = effectiveAncestors(graph);
    QCOMPARE(ancestors.taken.empty(), size == 0);
    if (size > 0)
        QVERIFY(ancestors.explained >= 1.0 - unexplainedShare);
    if (size == 1)
        QCOMPARE(ancestors.effective, 1.0);
}

void KinshipTest::loopsAreLeftOutOfEveryFigure()
{
    // A and B are each other's sire: they and C below them are left out; D and E stay.
    PopulationKennel kennel({"A m 2020-01-01 B -", "B m 2020-01-01 A -", "C m 2024-01-01 A -",
                             "D m 2020-01-01", "E f 2024-01-01 D -"});
    KennelGenetics &g = kennel.genetics();
    const ReferencePopulation reference =
        referencePopulation(g.graph(), defaultReference(QDate(2026, 12, 10)));
    QCOMPARE(reference.belowLoops, 3);
    QCOMPARE(int(reference.dogs.size()), 2);
    const PopulationFigures figures = populationFigures(g.graph(), g.inbreeding(), reference.dogs);
    QVERIFY(std::isnan(figures.kinship[size_t(kennel.dog(QStringLiteral("C")))]));
    // D with itself 1/2, E with herself 1/2, D with E 1/4.
    QCOMPARE(figures.meanKinship, 0.375);
    QCOMPARE(figures.founders.count, 1.5);
}

QTEST_GUILESS_MAIN(KinshipTest)
#include "tst_kinship.moc"
