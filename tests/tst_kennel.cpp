// The kennel's facts as every feature asks them: which dog a name means, a dog's ancestors, the
// litter of a pup and the pups of a litter.
#include "kennel/Ancestry.h"
#include "kennel/Contacts.h"
#include "kennel/DogFinder.h"
#include "kennel/Dogs.h"
#include "kennel/Litters.h"
#include "tests/TestSupport.h"

#include <QTest>

using namespace testing;

class KennelTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void nameMeansTheFirstNamesake_data();
    void nameMeansTheFirstNamesake();
    void ancestorsAreThoseThePedigreesShow_data();
    void ancestorsAreThoseThePedigreesShow();
    void pupAndLitterFindEachOther_data();
    void pupAndLitterFindEachOther();
    void kennelMalesAreOwnedByItOrByNobody();
    void livesAndContactsAreReadForEveryNumberAsked();
    void birthdaysAreThoseOfTheMonthInAnyYear();
};

void KennelTest::nameMeansTheFirstNamesake_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("except");
    QTest::addColumn<int>("dog");
    // Dogs 1 to 5: "Rex", "REX", "Élan", "élan", "Zoë O'Brien".
    QTest::newRow("exact") << "Rex" << 0 << 1;
    QTest::newRow("another case") << "rex" << 0 << 1;
    QTest::newRow("the next namesake") << "rex" << 1 << 2;
    QTest::newRow("a namesake that is not the one set aside") << "REX" << 2 << 1;
    QTest::newRow("letters beyond A-Z, folded") << "ÉLAN" << 0 << 3;
    QTest::newRow("their next namesake") << "élan" << 3 << 4;
    QTest::newRow("quotes and diaereses") << "zoë o'brien" << 0 << 5;
    QTest::newRow("no namesake left") << "Zoë O'Brien" << 5 << 0;
    QTest::newRow("not on record means no dog") << "Not On Record" << 0 << 0;
    QTest::newRow("nobody") << "Max" << 0 << 0;
}

void KennelTest::nameMeansTheFirstNamesake()
{
    QFETCH(QString, name);
    QFETCH(int, except);
    QFETCH(int, dog);
    Kennel kennel;
    for (const char *each : {"Rex", "REX", "Élan", "élan", "Zoë O'Brien"})
        addDog(kennel.db(), {{"name", QString::fromUtf8(each)}});
    addDog(kennel.db(), {{"name", "Not On Record"}});
    QCOMPARE(kennel::dogNamed(kennel.db(), name, except), qint64(dog));
}

void KennelTest::ancestorsAreThoseThePedigreesShow_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("ancestor");
    QTest::newRow("a parent") << "Rex" << true;
    QTest::newRow("a grandparent through the first Rex") << "Gran" << true;
    QTest::newRow("another case") << "GRAN" << true;
    QTest::newRow("a parent of the second Rex, which no pedigree shows") << "Stray" << false;
    QTest::newRow("a name only the records give") << "Lost Dam" << true;
    QTest::newRow("beyond a loop") << "Loop End" << true;
    QTest::newRow("the dog itself") << "Pup" << false;
    QTest::newRow("nobody") << "Max" << false;
}

void KennelTest::ancestorsAreThoseThePedigreesShow()
{
    QFETCH(QString, name);
    QFETCH(bool, ancestor);
    Kennel kennel;
    const QSqlDatabase db = kennel.db();
    const qint64 pup = addDog(db, {{"name", "Pup"}, {"sire", "Rex"}, {"dam", "Bella"}});
    addDog(db, {{"name", "Rex"}, {"sire", "Gran"}, {"dam", "Lost Dam"}});
    addDog(db, {{"name", "rex"}, {"sire", "Stray"}});
    // Bella's line loops back on itself, as a wrongly entered pedigree can.
    addDog(db, {{"name", "Bella"}, {"sire", "Loop A"}});
    addDog(db, {{"name", "Loop A"}, {"sire", "Loop B"}, {"dam", "Loop End"}});
    addDog(db, {{"name", "Loop B"}, {"sire", "Loop A"}});
    QString problem;
    const std::optional<bool> found = kennel::hasAncestorNamed(db, pup, name, &problem);
    QVERIFY2(found, qPrintable(problem));
    QCOMPARE(*found, ancestor);
}

void KennelTest::pupAndLitterFindEachOther_data()
{
    QTest::addColumn<QString>("litterDay");
    QTest::addColumn<QString>("pupsDay");
    QTest::addColumn<bool>("whelped");
    QTest::addColumn<qint64>("litterOfPip");
    QTest::addColumn<QStringList>("pups");
    QTest::newRow("born on the litter's day")
        << "2024-03-05"
        << "2024-03-05" << false << qint64(1) << QStringList{"Sibling", "Pip"};
    QTest::newRow("a litter of 1900 gave its pups 2000")
        << "1900-03-05"
        << "2000-03-05" << false << qint64(1) << QStringList{"Sibling", "Pip"};
    QTest::newRow("nor is a pup of 1900 one of it")
        << "1900-03-05"
        << "1900-03-05" << false << qint64(0) << QStringList{};
    QTest::newRow("born another day") << "2024-03-05"
                                      << "2024-03-06" << false << qint64(0) << QStringList{};
    QTest::newRow("whelped into it, whatever its day")
        << "2024-03-05"
        << "2023-01-01" << true << qint64(1) << QStringList{"Pip"};
}

void KennelTest::pupAndLitterFindEachOther()
{
    QFETCH(QString, litterDay);
    QFETCH(QString, pupsDay);
    QFETCH(bool, whelped);
    QFETCH(qint64, litterOfPip);
    QFETCH(QStringList, pups);
    Kennel kennel;
    const QSqlDatabase db = kennel.db();
    // Two litters of the same pair on the same day: the first recorded is the pups'.
    for (int litter = 0; litter < 2; ++litter)
        exec(db,
             "INSERT INTO litters (sire, dam, littersize, dateoflitter) VALUES ('Rex', 'Bella', 2, "
             "?)",
             {litterDay});
    addDog(db, {{"name", "Sibling"}, {"sire", "Rex"}, {"dam", "Bella"}, {"dob", pupsDay}});
    const qint64 pip =
        addDog(db, {{"name", "Pip"}, {"sire", "Rex"}, {"dam", "Bella"}, {"dob", pupsDay}});
    if (whelped)
        exec(db,
             "INSERT INTO whelping (litterid, dogid, birthorder, collar) VALUES (1, ?, 1, 'Red')",
             {pip});
    QCOMPARE(kennel::litterOf(db, pip), std::optional<qint64>(litterOfPip));
    const auto found =
        kennel::pupsOf(db, 1, "Rex", "Bella", QDate::fromString(litterDay, Qt::ISODate));
    QVERIFY(found);
    QStringList names;
    for (const kennel::Pup &pup : *found) {
        names << pup.name;
        QCOMPARE(pup.whelped, whelped);
        QCOMPARE(pup.collar, whelped ? "Red" : "");
    }
    QCOMPARE(names, pups);
}

// The kennel's own name holds a quote, which once had to be written into the SQL by hand, and
// letters beyond A-Z, compared blind to case as the pedigrees compare names.
void KennelTest::kennelMalesAreOwnedByItOrByNobody()
{
    Kennel kennel;
    const QSqlDatabase db = kennel.db();
    exec(db, "UPDATE setup SET Name = ?", {QString::fromUtf8(" Zoë O'Brien ")});
    QList<qint64> kept;
    for (const auto &[owner, sex, ours] :
         {std::tuple{"", "Male", true}, std::tuple{"  ", "Male", true},
          std::tuple{"zoë O'BRIEN", "Male", true}, std::tuple{"ZOË O'Brien", "Male", true},
          std::tuple{"  Zoë O'Brien ", "Male", true}, std::tuple{"Zoë O'Briens", "Male", false},
          std::tuple{"Zoë O'Brien", "Female", false}, std::tuple{"Ann Lee", "Male", false},
          std::tuple{"Zoë O'Brien", "male", false}}) {
        const qint64 id =
            addDog(db, {{"name", "Dog"}, {"sex", sex}, {"ownerid", QString::fromUtf8(owner)}});
        if (ours)
            kept << id;
    }
    kept << addDog(db, {{"name", "No owner recorded"}, {"sex", "Male"}});
    std::unordered_set<qint64> males;
    QCOMPARE(kennel::kennelMales(db, &males), QString());
    QList<qint64> found(males.begin(), males.end());
    std::sort(found.begin(), found.end());
    QCOMPARE(found, kept);
}

// More numbers than one statement is given at a time, some of them asked twice or not in the
// kennel at all.
void KennelTest::livesAndContactsAreReadForEveryNumberAsked()
{
    Kennel kennel;
    const QSqlDatabase db = kennel.db();
    std::vector<qint64> asked;
    QHash<qint64, bool> living;
    for (int i = 0; i < 1203; ++i) {
        const bool dead = i % 7 == 0;
        const qint64 id = addDog(db, {{"name", QStringLiteral("Dog %1").arg(i)},
                                      {"dod", dead ? QVariant("2020-01-02") : QVariant()}});
        living.insert(id, !dead);
        asked.push_back(id);
        exec(db, "INSERT INTO contacts (last) VALUES (?)", {QStringLiteral("Contact %1").arg(i)});
    }
    asked.push_back(asked.front());
    asked.push_back(999999);
    const auto lives = kennel::livesOf(db, asked);
    QVERIFY(lives);
    QCOMPARE(lives->size(), size_t(living.size()));
    for (const auto &[id, life] : *lives) {
        QCOMPARE(life.living, living.value(id));
        QCOMPARE(life.died().isValid(), !living.value(id));
    }
    QCOMPARE(lives->at(asked[600]).name, "Dog 600");

    std::vector<qint64> contacts;
    for (qint64 row = 1; row <= 1203; ++row)
        contacts.push_back(row);
    const auto names = kennel::contactNames(db, contacts);
    QVERIFY(names);
    QCOMPARE(names->size(), 1203);
    QCOMPARE(names->value(1203), "Contact 1202");
}

void KennelTest::birthdaysAreThoseOfTheMonthInAnyYear()
{
    Kennel kennel;
    const QSqlDatabase db = kennel.db();
    for (const auto &[name, born] :
         {std::pair{"March 1999", "1999-03-01"}, std::pair{"April", "2020-04-03"},
          std::pair{"March 2026", "2026-03-31"}, std::pair{"Typed by hand", "03/05/2020"},
          std::pair{"Unknown", ""}})
        addDog(db, {{"name", name}, {"dob", born}});
    QStringList found;
    QCOMPARE(
        kennel::eachBirthdayIn(db, 3, [&](const QString &name, const QString &) { found << name; }),
        QString());
    QCOMPARE(found, QStringList({"March 1999", "March 2026"}));
    QCOMPARE(kennel::birthdaysIn(db, 3), 2);
    QCOMPARE(kennel::birthdaysIn(db, 12), 0);
}

QTEST_GUILESS_MAIN(KennelTest)
#include "tst_kennel.moc"
