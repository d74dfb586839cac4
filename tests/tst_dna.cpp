#include "TestSupport.h"

#include "genetics/DnaInheritance.h"
#include "genetics/KennelGenetics.h"

#include <cmath>
#include <map>
#include <QRandomGenerator>
#include <QtTest>

using namespace genetics;

namespace {

// A kennel with one DNA test and dogs written as "child sire dam" lines ("-" for none).
class DnaKennel
{
public:
    explicit DnaKennel(const QString &inheritance = QStringLiteral("Recessive"),
                       const QVariant &frequency = {})
    {
        testing::exec(db(), QStringLiteral("DELETE FROM healthtests"));
        testing::exec(db(),
                      QStringLiteral("INSERT INTO healthtests (testname, testkind, inheritance, "
                                     "frequency, hidden) VALUES ('Test', 'DNA', ?, ?, 0)"),
                      {inheritance, frequency});
        m_test = testing::scalar(db(), QStringLiteral("SELECT max(testid) FROM healthtests"))
                     .toLongLong();
    }
    QSqlDatabase db() const { return m_kennel.db(); }
    void dogs(const QStringList &lines)
    {
        testing::exec(db(), QStringLiteral("BEGIN"));
        for (const QString &line : lines) {
            const QStringList p = line.split(QLatin1Char(' '));
            QVariantMap fields{{QStringLiteral("name"), p[0]}};
            if (p.size() > 1 && p[1] != QLatin1String("-"))
                fields[QStringLiteral("sire")] = p[1];
            if (p.size() > 2 && p[2] != QLatin1String("-"))
                fields[QStringLiteral("dam")] = p[2];
            m_ids[p[0].toLower()] = testing::addDog(db(), fields);
        }
        testing::exec(db(), QStringLiteral("COMMIT"));
    }
    void result(const QString &dog, const QString &result,
                const QString &date = QStringLiteral("2020-01-01"))
    {
        testing::exec(db(),
                      QStringLiteral("INSERT INTO healthresults (dogid, testid, tested, result) "
                                     "VALUES (?, ?, ?, ?)"),
                      {m_ids.at(dog.toLower()), m_test, date, result});
    }
    // Every status worked out afresh, clear by parentage for `generations`.
    const DnaStatuses &statuses(int generations = defaultClearGenerations)
    {
        m_graph = std::make_unique<KennelGraph>();
        if (const QString problem = m_graph->read(db()); !problem.isEmpty())
            qFatal("%s", qPrintable(problem));
        m_statuses = std::make_unique<DnaStatuses>();
        m_statuses->read(db());
        m_statuses->derive(*m_graph, generations);
        return *m_statuses;
    }
    int dog(const QString &name) const { return m_graph->find(name); }
    DnaStatus status(const QString &name) const { return m_statuses->status(0, dog(name)); }

private:
    testing::Kennel m_kennel;
    qint64 m_test = 0;
    std::map<QString, qint64> m_ids;
    std::unique_ptr<KennelGraph> m_graph;
    std::unique_ptr<DnaStatuses> m_statuses;
};

} // namespace

class InheritanceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void mendelsCombinations_data();
    void mendelsCombinations();
    void resultsAreReadInAnyCase_data();
    void resultsAreReadInAnyCase();
    void clearByParentageLastsTheGenerationsAllowed_data();
    void clearByParentageLastsTheGenerationsAllowed();
    void aTestedResultOverridesADerivedOne();
    void carriersAreProvenByTheirOffspring();
    void anUnknownParentLeavesWhatIsCertain();
    void estimatesEqualAPlainRecursion();
    void loopsComputeNothingBelowThem();
    void impossibleResultsAreListed();
};

void InheritanceTest::mendelsCombinations_data()
{
    QTest::addColumn<QString>("inheritance");
    QTest::addColumn<QString>("sire");
    QTest::addColumn<QString>("dam");
    QTest::addColumn<QStringList>("shares");
    QTest::addColumn<bool>("affectedPups");
    const QString r = QStringLiteral("Recessive");
    const QString d = QStringLiteral("Dominant");
    auto row = [](const QString &inheritance, const char *sire, const char *dam,
                  const QStringList &shares, bool affected) {
        QTest::addRow("%s %s x %s", qPrintable(inheritance), sire, dam)
            << inheritance << QString::fromLatin1(sire) << QString::fromLatin1(dam) << shares
            << affected;
    };
    for (const QString &mode : {r, d}) {
        const bool dominant = mode == d;
        row(mode, "Clear", "Clear", {"100%", "0%", "0%"}, false);
        row(mode, "Clear", "Carrier", {"50%", "50%", "0%"}, dominant);
        row(mode, "Carrier", "Carrier", {"25%", "50%", "25%"}, true);
        row(mode, "Affected", "Clear", {"0%", "100%", "0%"}, dominant);
        row(mode, "Carrier", "Affected", {"0%", "50%", "50%"}, true);
        row(mode, "Affected", "Affected", {"0%", "0%", "100%"}, true);
    }
}

void InheritanceTest::mendelsCombinations()
{
    QFETCH(QString, inheritance);
    QFETCH(QString, sire);
    QFETCH(QString, dam);
    QFETCH(QStringList, shares);
    QFETCH(bool, affectedPups);
    DnaKennel kennel(inheritance);
    kennel.dogs({"Rex", "Bella"});
    kennel.result("Rex", sire);
    kennel.result("Bella", dam);
    const DnaStatuses &dna = kennel.statuses();
    const LitterHealth litter = dna.litter(0, kennel.dog("Rex"), kennel.dog("Bella"));
    QVERIFY(litter.shares);
    QVERIFY(litter.exact);
    QCOMPARE((QStringList{litterPercent(litter.shares->clear, true),
                          litterPercent(litter.shares->carrier, true),
                          litterPercent(litter.shares->affected, true)}),
             shares);
    QCOMPARE(litter.canProduceAffected, affectedPups);
    QCOMPARE(dna.showingRisk(kennel.dog("Rex"), kennel.dog("Bella")) > 0.0, affectedPups);
    QCOMPARE(statusText(litter.sire), sire);
}

void InheritanceTest::resultsAreReadInAnyCase_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("read");
    QTest::newRow("lower") << "clear"
                           << "Clear";
    QTest::newRow("upper with blanks") << " CARRIER "
                                       << "Carrier";
    QTest::newRow("as stored") << "Affected"
                               << "Affected";
    QTest::newRow("genotype is not a word") << "N/N"
                                            << "";
    QTest::newRow("another word") << "clearish"
                                  << "";
}

void InheritanceTest::resultsAreReadInAnyCase()
{
    QFETCH(QString, typed);
    QFETCH(QString, read);
    const auto genotype = genotypeOf(typed);
    QCOMPARE(genotype ? resultWord(*genotype) : QString(), read);
}

void InheritanceTest::clearByParentageLastsTheGenerationsAllowed_data()
{
    QTest::addColumn<int>("allowed");
    QTest::addColumn<QStringList>("statuses");
    const QString cbp = QStringLiteral("Clear by parentage");
    // Beyond them the clear ancestors still give an estimate.
    const QString estimated = QStringLiteral("N/N 100.0%, N/m 0.0%, m/m 0.0% (estimated)");
    QTest::newRow("default") << 2 << QStringList{cbp, cbp, estimated};
    QTest::newRow("one generation") << 1 << QStringList{cbp, estimated, estimated};
    QTest::newRow("three") << 3 << QStringList{cbp, cbp, cbp};
}

void InheritanceTest::clearByParentageLastsTheGenerationsAllowed()
{
    QFETCH(int, allowed);
    QFETCH(QStringList, statuses);
    DnaKennel kennel;
    // Parents named in another case and with a blank after are the dogs the pedigrees show.
    kennel.dogs({"A", "B", "E", "G", "C a b", "D c E ", "F D g", "H F -"});
    for (const char *tested : {"A", "B", "E", "G"})
        kennel.result(QString::fromLatin1(tested), QStringLiteral("Clear"));
    kennel.statuses(allowed);
    QCOMPARE((QStringList{statusText(kennel.status("C")), statusText(kennel.status("D")),
                          statusText(kennel.status("F"))}),
             statuses);
    // A parent not known leaves nothing to go by.
    QCOMPARE(kennel.status("H").basis, DnaBasis::Unknown);
}

void InheritanceTest::aTestedResultOverridesADerivedOne()
{
    DnaKennel kennel;
    kennel.dogs({"A", "B", "C A B"});
    kennel.result("A", "Clear");
    kennel.result("B", "Clear");
    kennel.result("C", "Clear", "2019-05-01");
    kennel.result("C", "carrier", "2021-05-01");
    const DnaStatuses &dna = kennel.statuses();
    QCOMPARE(kennel.status("C").basis, DnaBasis::Tested);
    QCOMPARE(kennel.status("C").tested, Genotype::Carrier);
    QCOMPARE(statusWithGenotype(kennel.status("C")), QStringLiteral("Carrier (N/m)"));
    // Both the disagreeing results and the impossible pup are listed.
    QCOMPARE(dna.conflicts().size(), size_t(2));
}

void InheritanceTest::carriersAreProvenByTheirOffspring()
{
    DnaKennel kennel;
    // G is affected: both its parents carry. P's other parent R is tested clear, so P's
    // copy came from GP; Q's other parent S is untested and may have given it.
    kennel.dogs({"GP", "R", "GQ", "S", "P GP R", "Q GQ S", "G P Q",
                 // T is a carrier whose other parent U is a carrier too: that explains it.
                 "V", "U", "T V U",
                 // W is a carrier whose other parent X is clear: W's sire Y carries.
                 "Y", "X", "W Y X"});
    kennel.result("G", "Affected");
    kennel.result("R", "Clear");
    kennel.result("T", "Carrier");
    kennel.result("U", "Carrier");
    kennel.result("W", "Carrier");
    kennel.result("X", "Clear");
    kennel.statuses();
    for (const char *carrier : {"P", "Q", "GP", "Y"})
        QCOMPARE(statusText(kennel.status(QString::fromLatin1(carrier))),
                 QStringLiteral("Carrier at least"));
    for (const char *open : {"GQ", "S", "V"})
        QCOMPARE(kennel.status(QString::fromLatin1(open)).basis, DnaBasis::Unknown);
}

void InheritanceTest::anUnknownParentLeavesWhatIsCertain()
{
    DnaKennel kennel;
    kennel.dogs({"Rex", "Bella", "Tess"});
    kennel.result("Bella", "Clear");
    kennel.result("Tess", "Affected");
    const DnaStatuses &dna = kennel.statuses();
    const LitterHealth clear = dna.litter(0, kennel.dog("Rex"), kennel.dog("Bella"));
    QVERIFY(!clear.shares);
    QVERIFY(!clear.canProduceAffected);
    QVERIFY(clear.words.startsWith(QStringLiteral("No affected pups: the dam is Clear")));
    const LitterHealth affected = dna.litter(0, kennel.dog("Rex"), kennel.dog("Tess"));
    QVERIFY(affected.canProduceAffected);
    QVERIFY(affected.words.startsWith(QStringLiteral("Every pup carries the faulty copy")));
    QVERIFY(std::isnan(dna.showingRisk(kennel.dog("Rex"), kennel.dog("Tess"))));
}

void InheritanceTest::estimatesEqualAPlainRecursion()
{
    constexpr int dogs = 3000;
    constexpr double q = 0.2;
    // Dominant, so that no carrier is proven by offspring; nothing clear by parentage.
    DnaKennel kennel(QStringLiteral("Dominant"), q);
    QRandomGenerator random(29);
    QStringList lines;
    std::vector<std::pair<int, int>> parents;
    auto name = [](int dog) { return QStringLiteral("D%1").arg(dog); };
    for (int dog = 0; dog < dogs; ++dog) {
        int sire = -1;
        int dam = -1;
        if (dog >= 20) {
            if (random.bounded(10) != 0)
                sire = int(random.bounded(dog));
            if (random.bounded(10) != 0)
                dam = int(random.bounded(dog));
        }
        parents.emplace_back(sire, dam);
        lines << name(dog) + QLatin1Char(' ') + (sire < 0 ? QStringLiteral("-") : name(sire)) +
                     QLatin1Char(' ') + (dam < 0 ? QStringLiteral("-") : name(dam));
    }
    kennel.dogs(lines);
    std::map<int, double> tested;
    testing::exec(kennel.db(), QStringLiteral("BEGIN"));
    for (int i = 0; i < 300; ++i) {
        const int dog = int(random.bounded(dogs));
        const int genotype = int(random.bounded(3));
        tested[dog] = 0.5 * genotype;
        kennel.result(name(dog), resultWord(Genotype(genotype)),
                      QStringLiteral("2020-01-%1").arg(1 + i / 20, 2, 10, QLatin1Char('0')));
    }
    testing::exec(kennel.db(), QStringLiteral("COMMIT"));
    kennel.statuses(0);

    std::map<int, double> memo;
    std::function<double(int)> gamete = [&](int dog) -> double {
        if (dog < 0)
            return q;
        if (const auto t = tested.find(dog); t != tested.end())
            return t->second;
        if (const auto m = memo.find(dog); m != memo.end())
            return m->second;
        const double g =
            (gamete(parents[size_t(dog)].first) + gamete(parents[size_t(dog)].second)) / 2;
        memo[dog] = g;
        return g;
    };
    int compared = 0;
    for (int dog = 0; dog < dogs; ++dog) {
        const DnaStatus s = kennel.status(name(dog));
        if (tested.count(dog)) {
            QCOMPARE(s.basis, DnaBasis::Tested);
            continue;
        }
        QCOMPARE(s.basis, DnaBasis::Estimated);
        const GenotypeShares expected =
            litterShares(gamete(parents[size_t(dog)].first), gamete(parents[size_t(dog)].second));
        QVERIFY(std::abs(s.shares->affected - expected.affected) < 1e-5);
        QVERIFY(std::abs(s.shares->clear - expected.clear) < 1e-5);
        ++compared;
    }
    QVERIFY(compared > 2500);
}

void InheritanceTest::loopsComputeNothingBelowThem()
{
    DnaKennel kennel;
    kennel.dogs({"A B -", "B A -", "C A Z", "Z", "E C Z"});
    kennel.result("Z", "Clear");
    kennel.result("C", "Carrier");
    kennel.statuses();
    QCOMPARE(kennel.status("C").basis, DnaBasis::Tested);
    QCOMPARE(kennel.status("E").basis, DnaBasis::BelowLoop);
    QCOMPARE(kennel.status("A").basis, DnaBasis::BelowLoop);
}

void InheritanceTest::impossibleResultsAreListed()
{
    DnaKennel kennel;
    kennel.dogs({"Rex", "Bella", "Pip Rex Bella", "Tam Rex Bella", "Sol", "Uma", "Kit Sol Uma"});
    kennel.result("Rex", "Clear");
    kennel.result("Bella", "Carrier");
    kennel.result("Pip", "Affected");
    kennel.result("Tam", "Carrier");
    kennel.result("Sol", "Affected");
    kennel.result("Uma", "Affected");
    kennel.result("Kit", "Carrier");
    const DnaStatuses &dna = kennel.statuses();
    QStringList listed;
    for (const DnaConflict &c : dna.conflicts())
        listed << c.what;
    QCOMPARE(listed, (QStringList{"Pip (Test Affected) cannot be a pup of Rex (Test Clear)",
                                  "Kit (Test Carrier) cannot be a pup of Sol (Test Affected) and "
                                  "Uma (Test Affected)"}));
}

QTEST_MAIN(InheritanceTest)
#include "tst_dna.moc"
