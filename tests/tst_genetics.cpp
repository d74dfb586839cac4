#include "TestSupport.h"

#include "db/Fields.h"
#include "db/Schema.h"
#include "db/Tables.h"
#include "genetics/KennelGenetics.h"
#include "genetics/PedigreeChecks.h"
#include "kennel/DogFinder.h"

#include <map>
#include <QRandomGenerator>
#include <QtTest>

using namespace genetics;

namespace {

// A pedigree written as "child: sire dam" lines over single-letter dogs; "-" is unknown.
Pedigree pedigreeOf(const QStringList &lines, std::map<QString, int> *index = nullptr)
{
    std::map<QString, int> dogs;
    auto dogOf = [&](const QString &name) {
        if (name == QLatin1String("-"))
            return unknown;
        return dogs.emplace(name, int(dogs.size())).first->second;
    };
    std::vector<std::pair<int, int>> parents;
    for (const QString &line : lines) {
        const QStringList parts = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const int sire = dogOf(parts[1]);
        const int dam = dogOf(parts[2]);
        const int child = dogOf(parts[0]);
        parents.resize(dogs.size(), {unknown, unknown});
        parents[size_t(child)] = {sire, dam};
    }
    Pedigree p;
    for (const auto &[sire, dam] : parents) {
        p.sire.push_back(sire);
        p.dam.push_back(dam);
    }
    // Parents are numbered before their offspring.
    for (int i = 0; i < p.size(); ++i)
        p.order.push_back(i);
    p.place = p.order;
    if (index)
        *index = dogs;
    return p;
}

// The tabular definition, recursive over the younger of the two: what the fast methods must
// equal. Parents always have a lower index than their offspring here.
class PlainCoancestry
{
public:
    explicit PlainCoancestry(const Pedigree &p) : m_p(p) {}
    double operator()(int a, int b)
    {
        if (a == unknown || b == unknown)
            return 0.0;
        if (a < b)
            std::swap(a, b);
        const auto key = std::pair{a, b};
        if (const auto found = m_memo.find(key); found != m_memo.end())
            return found->second;
        double f;
        if (a == b)
            f = 0.5 * (1.0 + (*this)(m_p.sire[a], m_p.dam[a]));
        else
            f = 0.5 * ((*this)(m_p.sire[a], b) + (*this)(m_p.dam[a], b));
        m_memo.emplace(key, f);
        return f;
    }

private:
    const Pedigree &m_p;
    std::map<std::pair<int, int>, double> m_memo;
};

// A closed population in which parents are chosen among the last few generations.
Pedigree randomInbredPedigree(int dogs, quint32 seed)
{
    QRandomGenerator random(seed);
    Pedigree p;
    for (int dog = 0; dog < dogs; ++dog) {
        int sire = unknown;
        int dam = unknown;
        if (dog >= 12) {
            const int from = std::max(0, dog - 60);
            sire = random.bounded(20) == 0 ? unknown : from + int(random.bounded(dog - from));
            dam = from + int(random.bounded(dog - from));
        }
        p.sire.push_back(sire);
        p.dam.push_back(dam);
        p.order.push_back(dog);
    }
    p.place = p.order;
    return p;
}

} // namespace

class GeneticsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void likelyDuplicatesAreFound_data();
    void likelyDuplicatesAreFound();
    void eachLaterDuplicateIsPairedWithTheFirst();
    void textbookValues_data();
    void textbookValues();
    void sharesAddUpAndGenerationsCount();
    void chosenGenerationsCutThePedigree_data();
    void chosenGenerationsCutThePedigree();
    void fastMethodsEqualTheDefinition();
    void relationshipAndAncestorLoss();
    void parentsAreFoundAsThePedigreesFindThem();
    void loopsAreNamedNotComputed_data();
    void loopsAreNamedNotComputed();
    void writesAreSeenAtTheNextAnswer();
    void aFailedReadIsNeverKept();
    void changesTakenInPlaceEqualAFreshRead();
    void bestSiresRankLivingMales();
};

void GeneticsTest::textbookValues_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<double>("coi");
    QTest::newRow("unrelated") << QStringList{"x a b"} << 0.0;
    QTest::newRow("full siblings") << QStringList{"s a b", "d a b", "x s d"} << 0.25;
    QTest::newRow("half siblings") << QStringList{"s a b", "d a c", "x s d"} << 0.125;
    QTest::newRow("parent and offspring") << QStringList{"d a b", "x a d"} << 0.25;
    QTest::newRow("first cousins")
        << QStringList{"p a b", "q a b", "s p m", "d q n", "x s d"} << 0.0625;
    QTest::newRow("double first cousins")
        << QStringList{"p a b", "q a b", "r c e", "t c e", "s p r", "d t q", "x s d"} << 0.125;
    // Half siblings through a sire who is himself the son of full siblings: 1/8 * (1 + 1/4).
    QTest::newRow("inbred common ancestor")
        << QStringList{"f g h", "m g h", "a f m", "s a b", "d a c", "x s d"} << 0.15625;
    QTest::newRow("self-mated parent") << QStringList{"x a a"} << 0.5;
}

void GeneticsTest::textbookValues()
{
    QFETCH(QStringList, lines);
    QFETCH(double, coi);
    std::map<QString, int> dogs;
    const Pedigree p = pedigreeOf(lines, &dogs);
    Inbreeding inbreeding(p);
    const int x = dogs.at(QStringLiteral("x"));
    QCOMPARE(inbreeding.of(x), coi);
    QCOMPARE(inbreeding.coancestry(p.sire[x], p.dam[x]), coi);
    QCOMPARE(inbreedingOver(p, p.sire[x], p.dam[x], 60), coi);
}

void GeneticsTest::sharesAddUpAndGenerationsCount()
{
    std::map<QString, int> dogs;
    const Pedigree p = pedigreeOf({"f g h", "m g h", "a f m", "s a b", "d a c"}, &dogs);
    Inbreeding inbreeding(p);
    const MatingFigures figures = matingFigures(p, inbreeding, dogs.at(QStringLiteral("s")),
                                                dogs.at(QStringLiteral("d")), 10);
    double sum = 0.0;
    for (const CommonAncestor &ancestor : figures.common)
        sum += ancestor.part;
    QCOMPARE(sum, figures.inbreeding);
    QCOMPARE(figures.common.front().dog, dogs.at(QStringLiteral("a")));
    QCOMPARE(figures.common.front().sireSide, 2);
    QCOMPARE(figures.common.front().damSide, 2);
    // Behind "a" stand f and m, full siblings, and behind them g and h.
    QCOMPARE(figures.common.size(), size_t(5));
    QCOMPARE(figures.completeGenerations, 2);
    QCOMPARE(figures.deepestGeneration, 4);

    // A sire who is also the dam's sire is a common ancestor in generations 1 and 2.
    const Pedigree fatherDaughter = pedigreeOf({"d a b"}, &dogs);
    Inbreeding again(fatherDaughter);
    const MatingFigures litter = matingFigures(fatherDaughter, again, dogs.at(QStringLiteral("a")),
                                               dogs.at(QStringLiteral("d")), 10);
    QCOMPARE(litter.common.size(), size_t(1));
    QCOMPARE(litter.common.front().sireSide, 1);
    QCOMPARE(litter.common.front().damSide, 2);
    QCOMPARE(litter.inbreeding, 0.25);
}

void GeneticsTest::chosenGenerationsCutThePedigree_data()
{
    QTest::addColumn<int>("generations");
    QTest::addColumn<double>("coi");
    // Half siblings (generation 1) out of "a" (generation 2), whose parents f and m
    // (generation 3) are full siblings out of g and h (generation 4).
    QTest::newRow("1: only sire and dam") << 1 << 0.0;
    QTest::newRow("2: the common grandsire, founder") << 2 << 0.125;
    QTest::newRow("3: his parents, unrelated founders") << 3 << 0.125;
    QTest::newRow("4: their parents, all known") << 4 << 0.15625;
    QTest::newRow("60") << 60 << 0.15625;
}

void GeneticsTest::chosenGenerationsCutThePedigree()
{
    QFETCH(int, generations);
    QFETCH(double, coi);
    std::map<QString, int> dogs;
    const Pedigree p = pedigreeOf({"f g h", "m g h", "a f m", "s a b", "d a c"}, &dogs);
    QCOMPARE(
        inbreedingOver(p, dogs.at(QStringLiteral("s")), dogs.at(QStringLiteral("d")), generations),
        coi);
}

void GeneticsTest::fastMethodsEqualTheDefinition()
{
    const Pedigree p = randomInbredPedigree(3000, 7);
    Inbreeding inbreeding(p);
    PlainCoancestry plain(p);
    double highest = 0.0;
    for (int dog = 0; dog < p.size(); ++dog) {
        const double expected = plain(p.sire[dog], p.dam[dog]);
        highest = std::max(highest, expected);
        QVERIFY2(std::abs(inbreeding.of(dog) - expected) < 1e-12, qPrintable(QString::number(dog)));
    }
    QVERIFY(highest > 0.3);
    QRandomGenerator random(11);
    std::vector<int> candidates;
    for (int i = 0; i < 300; ++i)
        candidates.push_back(int(random.bounded(p.size())));
    const int dam = p.size() - 1;
    const std::vector<double> related = inbreeding.relationships(dam, candidates);
    for (size_t i = 0; i < candidates.size(); ++i) {
        const int a = int(random.bounded(p.size()));
        const int b = int(random.bounded(p.size()));
        QVERIFY(std::abs(inbreeding.coancestry(a, b) - plain(a, b)) < 1e-12);
        QVERIFY(std::abs(related[i] - 2.0 * plain(dam, candidates[i])) < 1e-12);
    }
}

void GeneticsTest::relationshipAndAncestorLoss()
{
    std::map<QString, int> dogs;
    const Pedigree p = pedigreeOf({"s a b", "d a b"}, &dogs);
    Inbreeding inbreeding(p);
    const int s = dogs.at(QStringLiteral("s"));
    const int d = dogs.at(QStringLiteral("d"));
    MatingFigures figures = matingFigures(p, inbreeding, s, d, 10);
    QCOMPARE(figures.relationship, 0.5);
    // Six places in generations 1 and 2 hold four dogs.
    QCOMPARE(figures.ancestorLoss, 100.0 * (1.0 - 4.0 / 6.0));
    figures = matingFigures(p, inbreeding, s, s, 10);
    QCOMPARE(figures.inbreeding, 0.5);
    QCOMPARE(figures.relationship, 1.0);
    figures = matingFigures(p, inbreeding, s, unknown, 10);
    QCOMPARE(figures.inbreeding, 0.0);
    QCOMPARE(figures.deepestGeneration, 2);
    QCOMPARE(figures.completeGenerations, 0);
}

void GeneticsTest::parentsAreFoundAsThePedigreesFindThem()
{
    testing::Kennel kennel;
    const QStringList names{"Rex",       "REX",           "rex",   "Élan",  "ÉLAN", "élan",
                            "O'Brien",   "Not On Record", "Σοφία", "ΣΟΦΊΑ", "Kate", "\u212Aate",
                            "\u212AATE", "Zoë \"Zed\"",   " ",     ""};
    for (const QString &name : names)
        testing::addDog(kennel.db(), {{QStringLiteral("name"), name}});
    QStringList parents = names;
    parents << "rEx"
            << "élAN"
            << "o'brien"
            << "Not on Record"
            << "σοφία"
            << "KATE"
            << "kate"
            << "\u212Aate"
            << "Nobody"
            << ""
            << "zoë \"zed\"";
    for (const QString &parent : parents)
        testing::addDog(kennel.db(), {{QStringLiteral("name"), QStringLiteral("Pup")},
                                      {QStringLiteral("sire"), parent},
                                      {QStringLiteral("dam"), parent}});
    KennelGraph graph;
    QCOMPARE(graph.read(kennel.db()), QString());
    // The graph finds in memory the dog the pedigrees' seek finds; no name and "Not On
    // Record" find none, though a dog has no name.
    kennel::DogFinder finder(kennel.db(), {db::fields::dogs::id});
    for (const QString &parent : parents) {
        const qint64 expected =
            finder.find(parent) ? finder.value(db::fields::dogs::id).toLongLong() : -1;
        const int found = graph.find(parent);
        QCOMPARE(found == unknown ? -1 : graph.id(found), expected);
    }
    const int pups = int(names.size());
    QCOMPARE(graph.pedigree().sire[pups], graph.find(QStringLiteral("Rex")));
    QCOMPARE(graph.pedigree().sire[pups + 7], unknown);
    QCOMPARE(graph.namesakes(graph.find(QStringLiteral("Rex"))), 3);
}

void GeneticsTest::loopsAreNamedNotComputed_data()
{
    QTest::addColumn<int>("length");
    QTest::newRow("own sire") << 1;
    QTest::newRow("two") << 2;
    QTest::newRow("thirty") << 30;
}

void GeneticsTest::loopsAreNamedNotComputed()
{
    QFETCH(int, length);
    testing::Kennel kennel;
    auto dogName = [](int i) { return QStringLiteral("Dog %1").arg(i); };
    for (int i = 0; i < length; ++i)
        testing::addDog(kennel.db(), {{QStringLiteral("name"), dogName(i)},
                                      {QStringLiteral("sire"), dogName((i + 1) % length)}});
    testing::addDog(kennel.db(), {{QStringLiteral("name"), QStringLiteral("Below")},
                                  {QStringLiteral("sire"), dogName(0)}});
    testing::addDog(kennel.db(), {{QStringLiteral("name"), QStringLiteral("Apart")},
                                  {QStringLiteral("dam"), QStringLiteral("Below")}});
    KennelGenetics &genetics = KennelGenetics::current(kennel.db());
    const KennelGraph &graph = genetics.graph();
    QCOMPARE(graph.loops().size(), size_t(1));
    const QStringList loop = genetics.ofDog(graph.find(QStringLiteral("Apart"))).loop;
    QCOMPARE(loop.size(), length + 1);
    QCOMPARE(loop.front(), loop.back());
    QVERIFY(loop.contains(dogName(length - 1)));
    QVERIFY(std::isnan(genetics.inbreeding().of(graph.find(QStringLiteral("Below")))));
    QCOMPARE(genetics.loopAbove(unknown, graph.find(QStringLiteral("Below"))), loop);
    QCOMPARE(loopMessage({"Rex", "Bella", "Rex"}),
             QStringLiteral("A dog is its own ancestor: Rex, Bella, Rex"));
}

void GeneticsTest::writesAreSeenAtTheNextAnswer()
{
    testing::Kennel kennel;
    for (const char *name : {"Sire", "Dam"})
        testing::addDog(kennel.db(), {{QStringLiteral("name"), QString::fromUtf8(name)}});
    testing::addDog(kennel.db(), {{QStringLiteral("name"), QStringLiteral("Son")},
                                  {QStringLiteral("sire"), QStringLiteral("Sire")},
                                  {QStringLiteral("dam"), QStringLiteral("Dam")}});
    KennelGenetics *genetics = &KennelGenetics::current(kennel.db());
    const int son = genetics->graph().find(QStringLiteral("Son"));
    QCOMPARE(genetics->inbreeding().of(son), 0.0);
    QCOMPARE(&KennelGenetics::current(kennel.db()), genetics);
    // A field the genetics do not read costs them nothing.
    testing::exec(kennel.db(), QStringLiteral("UPDATE Dogtable SET colour = 'Red', "
                                              "Microchip = '985' WHERE name = 'Son'"));
    QCOMPARE(&KennelGenetics::current(kennel.db()), genetics);
    testing::exec(kennel.db(), QStringLiteral("INSERT INTO Dogtable (name, sire, dam) "
                                              "VALUES ('Grandson', 'Son', 'Dam')"));
    genetics = &KennelGenetics::current(kennel.db());
    QCOMPARE(genetics->inbreeding().of(genetics->graph().find(QStringLiteral("Grandson"))), 0.25);
    {
        // Another program's commit shows in the file's data version.
        QSqlDatabase outside = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "outside");
        outside.setDatabaseName(kennel.path() + QStringLiteral("/kennelbase.ddx"));
        QVERIFY(outside.open());
        testing::exec(outside,
                      QStringLiteral("UPDATE Dogtable SET sire = 'Son' WHERE name = 'Dam'"));
        outside.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("outside"));
    genetics = &KennelGenetics::current(kennel.db());
    QVERIFY(genetics->graph().looped(genetics->graph().find(QStringLiteral("Son"))));
    KennelGenetics::forget();
}

void GeneticsTest::changesTakenInPlaceEqualAFreshRead()
{
    testing::Kennel kennel;
    QSqlDatabase db = kennel.db();
    QRandomGenerator random(41);
    const QStringList sexes{QStringLiteral("Male"), QStringLiteral("Female"), QStringLiteral("M")};
    int named = 0;
    auto anyDog = [&]() -> QString {
        switch (random.bounded(12)) {
        case 0:
            return QStringLiteral("Not On Record");
        case 1:
            return QStringLiteral("Ghost %1").arg(random.bounded(5));
        case 2:
            return {};
        default:
            return QStringLiteral("Dog %1").arg(random.bounded(named));
        }
    };
    auto addDog = [&]() {
        testing::exec(
            db,
            QStringLiteral("INSERT INTO Dogtable (name, sire, dam, sex, dob) "
                           "VALUES (?, ?, ?, ?, ?)"),
            {QStringLiteral("Dog %1").arg(named), named ? anyDog() : QString(),
             named ? anyDog() : QString(), sexes.at(random.bounded(3)),
             QStringLiteral("2020-01-%1").arg(1 + random.bounded(28), 2, 10, QLatin1Char('0'))});
        ++named;
    };
    QVERIFY(db.transaction());
    for (int i = 0; i < 1500; ++i)
        addDog();
    QVERIFY(db.commit());
    KennelGenetics::current(db).inbreeding().coefficients();

    int inPlace = 0;
    for (int step = 0; step < 120; ++step) {
        const KennelGenetics *before = &KennelGenetics::current(db);
        const QVariant row = 1 + random.bounded(named);
        const int kind = random.bounded(9);
        switch (kind) {
        case 0:
        case 1:
            addDog();
            break;
        case 2:
        case 3:
            testing::exec(db, QStringLiteral("UPDATE Dogtable SET sire = ? WHERE rowid = ?"),
                          {anyDog(), row});
            break;
        case 4:
            testing::exec(db,
                          QStringLiteral("UPDATE Dogtable SET dam = ?, sex = ? WHERE rowid = ?"),
                          {anyDog(), sexes.at(random.bounded(3)), row});
            break;
        case 5:
            testing::exec(db,
                          QStringLiteral("UPDATE Dogtable SET dob = '', dod = '2024-05-01' "
                                         "WHERE rowid = ?"),
                          {row});
            break;
        case 6:
            // A dog named as a parent but not on record arrives.
            testing::exec(db, QStringLiteral("INSERT INTO Dogtable (name, sex) VALUES (?, 'Male')"),
                          {QStringLiteral("Ghost %1").arg(random.bounded(5))});
            break;
        case 7:
            testing::exec(db,
                          QStringLiteral("UPDATE Dogtable SET name = name || 'b' WHERE rowid = ?"),
                          {row});
            break;
        default:
            testing::exec(db, QStringLiteral("DELETE FROM Dogtable WHERE rowid = ?"), {row});
        }
        KennelGenetics &genetics = KennelGenetics::current(db);
        inPlace += &genetics == before;
        KennelGraph fresh;
        QCOMPARE(fresh.read(db), QString());
        Inbreeding freshInbreeding(fresh.pedigree());
        const KennelGraph &graph = genetics.graph();
        QCOMPARE(graph.size(), fresh.size());
        for (int dog = 0; dog < fresh.size(); ++dog) {
            QCOMPARE(graph.id(dog), fresh.id(dog));
            QCOMPARE(graph.name(dog), fresh.name(dog));
            QCOMPARE(graph.pedigree().sire[dog], fresh.pedigree().sire[dog]);
            QCOMPARE(graph.pedigree().dam[dog], fresh.pedigree().dam[dog]);
            QCOMPARE(graph.sex(dog), fresh.sex(dog));
            QCOMPARE(graph.storedSex(dog), fresh.storedSex(dog));
            QCOMPARE(graph.born(dog), fresh.born(dog));
            QCOMPARE(graph.hasDied(dog), fresh.hasDied(dog));
            QCOMPARE(graph.loopAbove(dog), fresh.loopAbove(dog));
            // Kept in an order of its own, but one where parents come first all the same.
            const Pedigree &kept = graph.pedigree();
            QCOMPARE(kept.place[dog] < 0, fresh.pedigree().place[dog] < 0);
            if (kept.place[dog] >= 0) {
                QCOMPARE(kept.order[kept.place[dog]], dog);
                for (const int parent : {kept.sire[dog], kept.dam[dog]})
                    QVERIFY(parent == unknown || kept.place[parent] < kept.place[dog]);
            }
            const double got = genetics.inbreeding().of(dog);
            const double expected = freshInbreeding.of(dog);
            if (std::isnan(expected))
                QVERIFY(std::isnan(got));
            else
                QVERIFY2(std::abs(got - expected) < 1e-12,
                         qPrintable(QStringLiteral("step %1, dog %2").arg(step).arg(dog)));
        }
        QCOMPARE(graph.unrecordedParents().size(), fresh.unrecordedParents().size());
        for (size_t i = 0; i < fresh.unrecordedParents().size(); ++i) {
            QCOMPARE(graph.unrecordedParents()[i].dog, fresh.unrecordedParents()[i].dog);
            QCOMPARE(graph.unrecordedParents()[i].sire, fresh.unrecordedParents()[i].sire);
            QCOMPARE(graph.unrecordedParents()[i].name, fresh.unrecordedParents()[i].name);
        }
    }
    // Most changes were taken in where they stand.
    QVERIFY2(inPlace > 50, qPrintable(QString::number(inPlace)));
    KennelGenetics::forget();
}

void GeneticsTest::aFailedReadIsNeverKept()
{
    testing::Kennel kennel;
    testing::addDog(kennel.db(), {{QStringLiteral("name"), QStringLiteral("Rex")}});
    // The table is gone for a moment: the read fails without any row having changed.
    testing::exec(kennel.db(), QStringLiteral("ALTER TABLE Dogtable RENAME TO Gone"));
    QVERIFY(!KennelGenetics::current(kennel.db()).problem().isEmpty());
    QVERIFY(!KennelGenetics::isCurrent(kennel.db()));
    QSignalSpy prepared(this, &QObject::objectNameChanged);
    KennelGenetics::prepare(kennel.db(), this, [this] { setObjectName(QStringLiteral("ready")); });
    QTRY_COMPARE(prepared.count(), 1);
    QVERIFY(!KennelGenetics::isCurrent(kennel.db()));
    QVERIFY(!KennelGenetics::preparationProblem(kennel.db()).isEmpty());

    testing::exec(kennel.db(), QStringLiteral("ALTER TABLE Gone RENAME TO Dogtable"));
    QCOMPARE(KennelGenetics::current(kennel.db()).problem(), QString());
    QCOMPARE(KennelGenetics::current(kennel.db()).graph().size(), 1);
    QVERIFY(KennelGenetics::isCurrent(kennel.db()));
    setObjectName({});
    KennelGenetics::forget();
}

void GeneticsTest::bestSiresRankLivingMales()
{
    testing::Kennel kennel;
    auto add = [&](const char *name, const char *sex, const char *sire = "", const char *dam = "",
                   const char *died = "") {
        testing::addDog(kennel.db(), {{QStringLiteral("name"), QString::fromUtf8(name)},
                                      {QStringLiteral("sex"), QString::fromUtf8(sex)},
                                      {QStringLiteral("sire"), QString::fromUtf8(sire)},
                                      {QStringLiteral("dam"), QString::fromUtf8(dam)},
                                      {QStringLiteral("dod"), QString::fromUtf8(died)}});
    };
    add("Founder", "Male");
    add("Mother", "Female");
    add("Brother", "Male", "Founder", "Mother");
    add("Sister", "Female", "Founder", "Mother");
    add("Stranger", "Male");
    add("Late", "Male", "", "", "2020-01-01");
    add("Lowercase", "male");
    KennelGenetics &genetics = KennelGenetics::current(kennel.db());
    const KennelGraph &graph = genetics.graph();
    const std::vector<SireChoice> choices =
        genetics.bestSires(graph.find(QStringLiteral("Sister")));
    QStringList order;
    for (const SireChoice &choice : choices)
        order << graph.name(choice.dog) + QLatin1Char(' ') + percent(choice.litterInbreeding);
    QCOMPARE(order, (QStringList{"Stranger 0.00%", "Founder 25.00%", "Brother 25.00%"}));
    QCOMPARE(choices[2].relationship, 0.5);
    KennelGenetics::forget();
}

void GeneticsTest::likelyDuplicatesAreFound_data()
{
    QTest::addColumn<QVariantMap>("first");
    QTest::addColumn<QVariantMap>("second");
    QTest::addColumn<QString>("details");
    QTest::newRow("case, accents, blanks and punctuation")
        << QVariantMap{{"name", "\u00c9lan d'Or"}} << QVariantMap{{"name", "ELAN DOR"}}
        << "The same name as \u00c9lan d'Or (Dog ID 1), perhaps one dog recorded twice, which "
           "Merge Likely Duplicates makes one.";
    QTest::newRow("registration") << QVariantMap{{"name", "Rex"}, {"registration", "KC-1"}}
                                  << QVariantMap{{"name", "Max"}, {"registration", " kc-1"}}
                                  << "The same registration number as Rex (Dog ID 1), perhaps "
                                     "one dog recorded twice, which Merge Likely Duplicates "
                                     "makes one.";
    QTest::newRow("microchip") << QVariantMap{{"name", "Rex"}, {"Microchip", "985 000 1"}}
                               << QVariantMap{{"name", "Max"}, {"Microchip", "9850001"}}
                               << "The same microchip number as Rex (Dog ID 1), perhaps one dog "
                                  "recorded twice, which Merge Likely Duplicates makes one.";
    // Listed already as a name two dogs have.
    QTest::newRow("exactly one name")
        << QVariantMap{{"name", "Rex"}} << QVariantMap{{"name", "Rex"}} << "";
    QTest::newRow("two dogs") << QVariantMap{{"name", "Rex"}} << QVariantMap{{"name", "Rexa"}}
                              << "";
}

void GeneticsTest::eachLaterDuplicateIsPairedWithTheFirst()
{
    testing::Kennel kennel;
    for (const QVariantMap &dog :
         {QVariantMap{{"name", "Rex"}}, QVariantMap{{"name", "Max"}, {"registration", "KC-1"}},
          QVariantMap{{"name", "REX."}}, QVariantMap{{"name", "max"}, {"registration", "kc-1"}},
          QVariantMap{{"name", "Ann"}}, QVariantMap{{"name", "Rex!"}},
          QVariantMap{{"name", "a n n"}}})
        testing::addDog(kennel.db(), dog);
    QStringList pairs;
    for (const genetics::PedigreeProblem &found : genetics::likelyDuplicates(kennel.db()))
        pairs << QString("%1>%2 %3")
                     .arg(found.dogId)
                     .arg(found.earlierId)
                     .arg(found.details.section(' ', 2, 2));
    // Max and max are one name already listed as ambiguous, but their registration is news.
    QCOMPARE(pairs, QStringList({"3>1 name", "4>2 registration", "6>1 name", "7>5 name"}));
}

void GeneticsTest::likelyDuplicatesAreFound()
{
    QFETCH(QVariantMap, first);
    QFETCH(QVariantMap, second);
    QFETCH(QString, details);
    testing::Kennel kennel;
    testing::addDog(kennel.db(), first);
    testing::addDog(kennel.db(), second);
    const std::vector<genetics::PedigreeProblem> found = genetics::likelyDuplicates(kennel.db());
    QCOMPARE(found.size(), details.isEmpty() ? 0u : 1u);
    if (!details.isEmpty()) {
        QCOMPARE(found[0].kind, "Likely duplicate");
        QCOMPARE(found[0].dog, second.value("name").toString());
        QCOMPARE(found[0].dogId, 2);
        QCOMPARE(found[0].details, details);
    }
}

QTEST_MAIN(GeneticsTest)
#include "tst_genetics.moc"
