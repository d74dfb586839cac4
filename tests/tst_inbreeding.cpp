#include "TestSupport.h"

#include "genetics/KennelGenetics.h"
#include "inbreeding/GeneticsReports.h"
#include "inbreeding/GeneticsScreen.h"
#include "inbreeding/SireFilter.h"
#include "ui/PickList.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>

using namespace testing;

namespace {

void addDogs(const QSqlDatabase &db)
{
    addDog(db, {{"name", "Founder"}, {"sex", "Male"}});
    addDog(db, {{"name", "Mother"}, {"sex", "Female"}});
    addDog(db, {{"name", "Brother"}, {"sex", "Male"}, {"sire", "Founder"}, {"dam", "Mother"}});
    addDog(db, {{"name", "Sister"}, {"sex", "Female"}, {"sire", "FOUNDER"}, {"dam", "mother"}});
    addDog(db, {{"name", "Stranger"}, {"sex", "Male"}});
    addDog(db,
           {{"name", "Ærø's \"Dot\""}, {"sex", "Female"}, {"sire", "Brother"}, {"dam", "Sister"}});
}

QString result(const inbreeding::GeneticsScreen &screen, const char *name)
{
    return screen.findChild<QLineEdit *>(name)->text();
}

} // namespace

class InbreedingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { genetics::KennelGenetics::forget(); }
    void typedMatingIsCalculatedOnEnter();
    void choicesAreCheckedFirst_data();
    void choicesAreCheckedFirst();
    void bestSiresBecomeTheSire();
    void loopIsNamed();
    void reportsListProblemsAndEveryDog();
    void bestSiresAreLeftOutAsAsked_data();
    void bestSiresAreLeftOutAsAsked();
};

void InbreedingTest::typedMatingIsCalculatedOnEnter()
{
    Kennel kennel;
    MessageRecorder messages;
    addDogs(kennel.db());
    auto screen = opened<inbreeding::GeneticsScreen>();
    QCOMPARE(screen->objectName(), "Genetics");
    QCOMPARE(screen->windowTitle(), "Inbreeding and Trial Matings");
    auto *sire = screen->findChild<ui::PickList *>("sire");
    QCOMPARE(sire->entries(), QStringList({"Brother", "Founder", "Stranger"}));
    QCOMPARE(sire->currentText(), "Select the Sire");
    QCOMPARE(screen->findChild<ui::PickList *>("dam")->currentText(), "Select the Dam");
    QCOMPARE(screen->findChild<QSpinBox *>("generations")->value(), 10);

    focusOn(sire);
    pressKey(Qt::Key_A, Qt::ControlModifier);
    typeKeys("brother");
    pressKey(Qt::Key_Tab);
    pressKey(Qt::Key_A, Qt::ControlModifier);
    typeKeys("Sister");
    pressKey(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), screen->findChild<QSpinBox *>("generations"));
    pressKey(Qt::Key_A, Qt::ControlModifier);
    typeKeys("x1");
    pressKey(Qt::Key_Return);
    QVERIFY(messages.texts.isEmpty());
    QCOMPARE(sire->currentText(), "brother");
    QCOMPARE(result(*screen, "coiAll"), "25.00%");
    QCOMPARE(result(*screen, "coiChosen"), "0.00%");
    QCOMPARE(result(*screen, "relationship"), "50.00%");
    QCOMPARE(result(*screen, "ancestorLoss"), "33.33%");
    QCOMPARE(result(*screen, "completeGenerations"), "2");
    QCOMPARE(result(*screen, "deepestGeneration"), "2");
    auto *common = screen->findChild<QTableWidget *>("commonAncestors");
    QCOMPARE(common->rowCount(), 2);
    QCOMPARE(common->item(0, 0)->text(), "Founder");
    QCOMPARE(common->item(0, 1)->text(), "2");
    QCOMPARE(common->item(0, 3)->text(), "12.50%");

    // Every result box has the caption the breeder reads.
    QStringList captions;
    for (const char *name : {"coiAll", "coiChosen", "relationship", "ancestorLoss",
                             "completeGenerations", "deepestGeneration"}) {
        for (QLabel *label : screen->findChildren<QLabel *>()) {
            if (label->buddy() == screen->findChild<QLineEdit *>(name))
                captions << label->text();
        }
    }
    QCOMPARE(captions, QStringList({"COI (all generations)", "COI (chosen generations)",
                                    "Relationship of sire and dam", "Ancestor loss (5 generations)",
                                    "Complete generations", "Deepest generation"}));
}

void InbreedingTest::choicesAreCheckedFirst_data()
{
    QTest::addColumn<QString>("sire");
    QTest::addColumn<QString>("dam");
    QTest::addColumn<QString>("message");
    QTest::newRow("no sire") << ""
                             << "Sister"
                             << "Please Select the Sire";
    QTest::newRow("prompt") << "Select the Sire"
                            << "Sister"
                            << "Please Select the Sire";
    QTest::newRow("no dam") << "Brother"
                            << ""
                            << "Please Select the Dam";
    QTest::newRow("nobody") << "Brother"
                            << "Nobody \"here\""
                            << "There is no dog named \"Nobody \"here\"\".";
}

void InbreedingTest::choicesAreCheckedFirst()
{
    QFETCH(QString, sire);
    QFETCH(QString, dam);
    QFETCH(QString, message);
    Kennel kennel;
    MessageRecorder messages;
    addDogs(kennel.db());
    auto screen = opened<inbreeding::GeneticsScreen>();
    screen->findChild<ui::PickList *>("sire")->setText(sire);
    screen->findChild<ui::PickList *>("dam")->setText(dam);
    screen->findChild<QPushButton *>("calculate")->click();
    QCOMPARE(messages.texts, QStringList{message});
    QCOMPARE(result(*screen, "coiAll"), "");
}

void InbreedingTest::bestSiresBecomeTheSire()
{
    Kennel kennel;
    MessageRecorder messages;
    addDogs(kennel.db());
    addDog(kennel.db(), {{"name", "Late"}, {"sex", "Male"}, {"dod", "2020-01-01"}});
    auto screen = opened<inbreeding::GeneticsScreen>();
    screen->findChild<ui::PickList *>("dam")->setText("Sister");
    screen->findChild<QPushButton *>("bestSires")->click();
    auto *table = screen->findChild<QTableView *>("bestSiresTable");
    QAbstractItemModel *model = table->model();
    QCOMPARE(model->rowCount(), 3);
    QCOMPARE(model->index(0, 0).data().toString(), "Stranger");
    QCOMPARE(model->index(0, 1).data().toString(), "0.00%");
    QCOMPARE(model->index(2, 1).data().toString(), "25.00%");
    // Sorted the other way by the relationship column: the numbers, not their text.
    table->sortByColumn(2, Qt::DescendingOrder);
    QCOMPARE(model->index(2, 0).data().toString(), "Stranger");
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                      table->visualRect(model->index(2, 0)).center());
    QCOMPARE(screen->findChild<ui::PickList *>("sire")->text(), "Stranger");
    QCOMPARE(result(*screen, "coiAll"), "0.00%");
    QVERIFY(messages.texts.isEmpty());
}

void InbreedingTest::loopIsNamed()
{
    Kennel kennel;
    MessageRecorder messages;
    addDog(kennel.db(), {{"name", "Rex"}, {"sex", "Male"}, {"sire", "Bella"}});
    addDog(kennel.db(), {{"name", "Bella"}, {"sex", "Female"}, {"dam", "Rex"}});
    auto screen = opened<inbreeding::GeneticsScreen>();
    screen->findChild<ui::PickList *>("sire")->setText("Rex");
    screen->findChild<ui::PickList *>("dam")->setText("Bella");
    screen->findChild<QPushButton *>("calculate")->click();
    auto *loop = screen->findChild<QLabel *>("loop");
    QVERIFY(loop->isVisible());
    QCOMPARE(loop->text(), "A dog is its own ancestor: Rex, Bella, Rex");
    QCOMPARE(result(*screen, "coiAll"), "");
    screen->findChild<QPushButton *>("bestSires")->click();
    QCOMPARE(screen->findChild<QTableView *>("bestSiresTable")->model()->rowCount(), 0);
}

void InbreedingTest::reportsListProblemsAndEveryDog()
{
    Kennel kennel;
    report::Report checks = inbreeding::pedigreeChecks();
    QCOMPARE(checks.data().size(), 1);
    QCOMPARE(checks.data().front().values.value("details").toString(),
             "No problems were found: every pedigree can be trusted.");

    addDogs(kennel.db());
    addDog(kennel.db(), {{"name", "Early"},
                         {"sex", "Male"},
                         {"dob", "2020-01-01"},
                         {"sire", "Sister"},
                         {"dam", "Late Mum"}});
    addDog(kennel.db(), {{"name", "Late Mum"}, {"sex", "Male"}, {"dob", "2019-10-01"}});
    addDog(kennel.db(), {{"name", "brother"}, {"sex", "Male"}});
    QStringList kinds;
    for (const core::DataRow &row : checks.data())
        kinds << row.values.value("kind").toString() + QLatin1Char('|') +
                     row.values.value("dog").toString();
    QCOMPARE(kinds, QStringList({"Sire recorded as Female|Early", "Dam recorded as Male|Early",
                                 "Parent born too shortly before|Early", "Name shared|Brother",
                                 "Name shared|brother"}));

    const core::DataSet every = inbreeding::everyDogsInbreeding().data();
    QCOMPARE(every.size(), 9);
    QCOMPARE(every.front().values.value("dog").toString(), "Ærø's \"Dot\"");
    QCOMPARE(every.front().values.value("all").toString(), "25.00%");
    QCOMPARE(every.front().values.value("ten").toString(), "25.00%");

    // A sex the Sire and Dam lists do not know, and parents named but never recorded.
    addDog(kennel.db(), {{"name", "Meg"}, {"sex", "bitch"}});
    addDog(kennel.db(), {{"name", "Pup One"}, {"sex", "Male"}, {"sire", "Ghost"}, {"dam", "Meg"}});
    addDog(kennel.db(), {{"name", "Pup Two"}, {"sex", ""}, {"sire", "Ghost"}});
    addDog(kennel.db(), {{"name", "NOT ON RECORD"}, {"sex", "Male"}});
    QStringList found;
    for (const core::DataRow &row : checks.data())
        found << row.values.value("kind").toString() + '|' + row.values.value("dog").toString() +
                     '|' + row.values.value("id").toString() + '|' +
                     row.values.value("details").toString();
    QCOMPARE(found.mid(5),
             QStringList({"Named like a missing parent|NOT ON RECORD|13|\"Not On Record\" marks a "
                          "parent that is not recorded: a parent written so in another case is "
                          "taken for this dog.",
                          "Sex not Male or Female|Meg|10|The sex is recorded as \"bitch\": the dog "
                          "is left out of every Sire and Dam list.",
                          "Sex not Male or Female|Pup Two|12|No sex is recorded: the dog is left "
                          "out of every Sire and Dam list.",
                          "Information|Ghost||named as a parent but not recorded; offspring: Pup "
                          "One, Pup Two"}));
}

void InbreedingTest::bestSiresAreLeftOutAsAsked_data()
{
    QTest::addColumn<bool>("ownOnly");
    QTest::addColumn<bool>("ageLimits");
    QTest::addColumn<bool>("noAffectedRisk");
    QTest::addColumn<QStringList>("sires");
    QTest::newRow("every living male")
        << false << false << false << QStringList{"Old", "Owned", "Pup", "Sold", "Unborn"};
    QTest::newRow("own males: the kennel's name or none")
        << true << false << false << QStringList{"Old", "Owned", "Pup", "Unborn"};
    QTest::newRow("from 12 months to 12 years, or not known")
        << false << true << false << QStringList{"Owned", "Sold", "Unborn"};
    QTest::newRow("no affected pups") << false << false << true << QStringList{"Owned", "Sold"};
}

void InbreedingTest::bestSiresAreLeftOutAsAsked()
{
    QFETCH(bool, ownOnly);
    QFETCH(bool, ageLimits);
    QFETCH(bool, noAffectedRisk);
    QFETCH(QStringList, sires);
    testing::Kennel kennel;
    testing::exec(kennel.db(), "UPDATE setup SET Name = 'Ann Kirk'");
    testing::exec(kennel.db(), "DELETE FROM healthtests WHERE testname <> 'DM'");
    const qint64 dam = testing::addDog(kennel.db(), {{"name", "Dam"}, {"sex", "Female"}});
    for (const auto &[name, owner, born] :
         {std::tuple{"Owned", "ann kirk", "2020-01-01"}, std::tuple{"Sold", "Buyer", "2021-01-01"},
          std::tuple{"Pup", "", "2026-06-01"}, std::tuple{"Old", "", "2010-01-01"},
          std::tuple{"Unborn", "", ""}}) {
        const qint64 id = testing::addDog(
            kennel.db(), {{"name", name}, {"sex", "Male"}, {"ownerid", owner}, {"dob", born}});
        // Only the males with a clear result cannot give affected pups with a carrier dam.
        if (QByteArray(name) == "Owned" || QByteArray(name) == "Sold")
            testing::exec(
                kennel.db(),
                "INSERT INTO healthresults (dogid, testid, result) VALUES (?, 8, 'Clear')", {id});
    }
    testing::exec(kennel.db(),
                  "INSERT INTO healthresults (dogid, testid, result) VALUES (?, 8, 'Carrier')",
                  {dam});
    genetics::KennelGenetics &genetics = genetics::KennelGenetics::current(kennel.db());
    inbreeding::SireFilter filter;
    filter.ownOnly = ownOnly;
    filter.ageLimits = ageLimits;
    filter.noAffectedRisk = noAffectedRisk;
    const inbreeding::RankedSires ranked = inbreeding::rankedSires(
        kennel.db(), genetics, genetics.graph().find("Dam"), filter, QDate(2026, 12, 10));
    QVERIFY(ranked.problem.isEmpty());
    QStringList names;
    for (const genetics::SireChoice &choice : ranked.choices)
        names << genetics.graph().name(choice.dog);
    names.sort();
    QCOMPARE(names, sires);
}

QTEST_MAIN(InbreedingTest)
#include "tst_inbreeding.moc"
