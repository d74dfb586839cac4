// Health tests, results and what a planned litter can inherit, through the main window's
// menus and screens.
#include "breeding/MatingEntryScreen.h"
#include "dogs/DogRecordsScreen.h"
#include "health/HealthResultsScreen.h"
#include "health/HealthTestsScreen.h"
#include "inbreeding/GeneticsScreen.h"
#include "tests/ProgramWindow.h"
#include "ui/PickList.h"
#include "ui/ScreenHost.h"
#include "ui/TableScreen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

using namespace testing;

namespace {

qint64 testId(const QSqlDatabase &kennel, const QString &name)
{
    return scalar(kennel, "SELECT testid FROM healthtests WHERE testname = ?", {name}).toLongLong();
}

void addResult(const QSqlDatabase &kennel, qint64 dog, const QString &test, const QString &result)
{
    exec(kennel,
         "INSERT INTO healthresults (dogid, testid, tested, result) VALUES (?, ?, '2024-02-01', ?)",
         {dog, testId(kennel, test), result});
}

} // namespace

class HealthWorkTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void aResultIsTypedOnTheDogsOwnScreen();
    void testsRefuseWhatCannotBeKept();
    void aRenamedTestIsShownByResultsOnView();
    void aPlannedLitterShowsWhatItCanInherit();
};

void HealthWorkTest::aResultIsTypedOnTheDogsOwnScreen()
{
    Kennel kennel;
    MessageRecorder messages;
    addDog(kennel.db(), {{"name", "Rex"}, {"sex", "Male"}});
    const qint64 bella = addDog(kennel.db(), {{"name", "Bella Ærø"}, {"sex", "Female"}});
    Window w;
    w.choose("dogsMenu", "Browse / Update Dogs");
    auto *records = w.shown<dogs::DogRecordsScreen>(dogs::DogRecordsScreen::screenName());
    records->showDogNamed("Bella Ærø");
    QTest::mouseClick(records->findChild<QPushButton *>("healthResultsButton"), Qt::LeftButton);
    auto *results = w.shown<health::HealthResultsScreen>(health::HealthResultsScreen::screenName());
    QCOMPARE(results->findChild<ui::PickList *>("dog")->text(), "Bella Ærø");

    // The test by its first letters, the result typed in another case, Enter to save.
    focusOn(results->findChild<QComboBox *>("test"));
    typeKeys("DM");
    QCOMPARE(results->findChild<QComboBox *>("test")->currentText(), "DM");
    focusOn(results->findChild<QComboBox *>("result"));
    typeKeys("carrier");
    focusOn(results->findChild<QLineEdit *>("note"));
    typeKeys(QString(10000, QLatin1Char('n')));
    pressKey(Qt::Key_Return);
    QVERIFY2(messages.texts.isEmpty(), qPrintable(messages.texts.join('\n')));
    QCOMPARE(scalar(kennel.db(), "SELECT dogid || ' ' || result || ' ' || length(resultnote) FROM "
                                 "healthresults")
                 .toString(),
             QString::number(bella) + " Carrier 10000");
    QCOMPARE(column(results->findChild<QTableWidget *>("results"), 2),
             QStringList{"Carrier (N/m)"});
    QVERIFY(results->findChild<QLabel *>("dnaStatus")->text().contains("DM: Carrier (N/m)"));

    // A word that is no DNA result is refused and nothing is written.
    QTest::mouseClick(results->findChild<QPushButton *>("newResult"), Qt::LeftButton);
    focusOn(results->findChild<QComboBox *>("result"));
    typeKeys("maybe");
    pressKey(Qt::Key_Return);
    QCOMPARE(messages.texts.value(0), "The result of a DNA test is Clear, Carrier or Affected.");
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM healthresults").toInt(), 1);

    // The dog's record sums its DNA status up.
    messages.texts.clear();
    records->showDogNamed("Rex");
    records->showDogNamed("Bella Ærø");
    QCOMPARE(records->findChild<QLabel *>("dnaStatus")->text(), "DM Carrier");

    // All Dogs has a column per DNA test, hidden until asked for.
    w.choose("dogsMenu", "All Dogs");
    auto *all = w.shown<ui::TableScreen>("AllDogs");
    auto *table = all->findChild<QTableView *>("table");
    int dm = -1;
    for (int c = 0; c < table->model()->columnCount(); ++c) {
        if (table->model()->headerData(c, Qt::Horizontal).toString() == "DM")
            dm = c;
    }
    QVERIFY(dm > 0 && table->isColumnHidden(dm));
    QTRY_COMPARE(table->model()->index(0, dm).data().toString(), "Carrier");
}

void HealthWorkTest::testsRefuseWhatCannotBeKept()
{
    Kennel kennel;
    MessageRecorder messages;
    const qint64 rex = addDog(kennel.db(), {{"name", "Rex"}, {"sex", "Male"}});
    addResult(kennel.db(), rex, "PRA-prcd", "Clear");
    Window w;
    w.choose("healthMenu", "Health Tests...");
    auto *tests = w.shown<health::HealthTestsScreen>(health::HealthTestsScreen::screenName());
    auto *name = tests->findChild<QLineEdit *>("testName");

    QTest::mouseClick(tests->findChild<QPushButton *>("newTest"), Qt::LeftButton);
    focusOn(name);
    typeKeys(" ");
    pressKey(Qt::Key_Return);
    QCOMPARE(messages.texts.value(0), "A health test needs a name.");

    focusOn(name);
    name->selectAll();
    typeKeys("Hüftgelenk «HD»");
    tests->findChild<QComboBox *>("kind")->setCurrentText("DNA");
    focusOn(tests->findChild<QLineEdit *>("frequency"));
    typeKeys("1.5");
    pressKey(Qt::Key_Return);
    QVERIFY(messages.texts.value(1).startsWith("The frequency of the faulty copy must be a number "
                                               "from 0 to 1"));
    tests->findChild<QLineEdit *>("frequency")->selectAll();
    typeKeys("0,25");
    pressKey(Qt::Key_Return);
    QCOMPARE(messages.texts.size(), 2);
    QCOMPARE(scalar(kennel.db(), "SELECT testkind || ' ' || frequency FROM healthtests WHERE "
                                 "testname = 'Hüftgelenk «HD»'")
                 .toString(),
             "DNA 0.25");

    // A test with results is kept; one without goes.
    auto *list = tests->findChild<QListWidget *>("tests");
    list->setCurrentRow(list->row(list->findItems("PRA-prcd", Qt::MatchExactly).value(0)));
    QTest::mouseClick(tests->findChild<QPushButton *>("deleteTest"), Qt::LeftButton);
    QVERIFY(messages.texts.value(2).startsWith("PRA-prcd has results and cannot be deleted."));
    list->setCurrentRow(list->row(list->findItems("Hearing", Qt::MatchExactly).value(0)));
    messages.answers = {true};
    QTest::mouseClick(tests->findChild<QPushButton *>("deleteTest"), Qt::LeftButton);
    QCOMPARE(messages.texts.value(3), "Delete the health test Hearing?");
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM healthtests WHERE testname IN "
                                 "('PRA-prcd', 'Hearing')")
                 .toInt(),
             1);
}

void HealthWorkTest::aRenamedTestIsShownByResultsOnView()
{
    Kennel kennel;
    MessageRecorder messages;
    const qint64 rex = addDog(kennel.db(), {{"name", "Rex"}, {"sex", "Male"}});
    addResult(kennel.db(), rex, "DM", "Affected");
    Window w;
    w.choose("healthMenu", "Health Results...");
    auto *results = w.shown<health::HealthResultsScreen>(health::HealthResultsScreen::screenName());
    focusOnList(results->findChild<ui::PickList *>("dog"));
    typeKeys("Rex");
    pressKey(Qt::Key_Return);
    QCOMPARE(column(results->findChild<QTableWidget *>("results"), 1), QStringList{"DM"});
    w.choose("healthMenu", "Health Tests...");
    auto *tests = w.shown<health::HealthTestsScreen>(health::HealthTestsScreen::screenName());
    auto *list = tests->findChild<QListWidget *>("tests");
    list->setCurrentRow(list->row(list->findItems("DM", Qt::MatchExactly).value(0)));
    focusOn(tests->findChild<QLineEdit *>("testName"));
    tests->findChild<QLineEdit *>("testName")->selectAll();
    typeKeys("DM (SOD1)");
    pressKey(Qt::Key_Return);
    QCOMPARE(column(results->findChild<QTableWidget *>("results"), 1), QStringList{"DM (SOD1)"});
    QVERIFY(messages.texts.isEmpty());
}

void HealthWorkTest::aPlannedLitterShowsWhatItCanInherit()
{
    Kennel kennel;
    MessageRecorder messages;
    const qint64 rex = addDog(kennel.db(), {{"name", "Rex"}, {"sex", "Male"}});
    const qint64 max = addDog(kennel.db(), {{"name", "Max"}, {"sex", "Male"}});
    const qint64 bella = addDog(kennel.db(), {{"name", "Bella"}, {"sex", "Female"}});
    addResult(kennel.db(), rex, "DM", "Carrier");
    addResult(kennel.db(), max, "DM", "Clear");
    addResult(kennel.db(), bella, "DM", "Carrier");
    Window w;
    w.choose("geneticsMenu", "Inbreeding and Trial Matings...");
    auto *screen = w.shown<inbreeding::GeneticsScreen>(inbreeding::GeneticsScreen::screenName());
    // Enter takes each name from the completions; the last one calculates.
    focusOnList(screen->findChild<ui::PickList *>("sire"));
    typeKeys("Rex");
    pressKey(Qt::Key_Return);
    focusOnList(screen->findChild<ui::PickList *>("dam"));
    typeKeys("Bella");
    pressKey(Qt::Key_Return);
    pressKey(Qt::Key_Return);
    auto *health = screen->findChild<QTableWidget *>("litterHealth");
    const int dm = int(column(health, 0).indexOf("DM"));
    QVERIFY(dm >= 0);
    QStringList row;
    for (int c = 1; c < health->columnCount(); ++c)
        row << health->item(dm, c)->text();
    QCOMPARE(row,
             (QStringList{"Carrier", "Carrier", "25%", "50%", "25%", "can produce affected pups"}));

    // The sire who cannot give affected pups stays when the risky ones are left out.
    QTest::mouseClick(screen->findChild<QPushButton *>("bestSires"), Qt::LeftButton);
    auto *sires = screen->findChild<QTableView *>("bestSiresTable");
    QCOMPARE(sires->model()->rowCount(), 2);
    screen->findChild<QCheckBox *>("leaveOutAffected")->setChecked(true);
    QCOMPARE(sires->model()->rowCount(), 0);
    QVERIFY(messages.texts.isEmpty());

    // Untested, the other tests cannot rule affected pups out; with only DM kept, Max can.
    exec(kennel.db(), "DELETE FROM healthtests WHERE testname <> 'DM'");
    screen->findChild<QCheckBox *>("leaveOutAffected")->setChecked(false);
    screen->findChild<QCheckBox *>("leaveOutAffected")->setChecked(true);
    QCOMPARE(sires->model()->rowCount(), 1);
    QCOMPARE(sires->model()->index(0, 0).data().toString(), "Max");
    QCOMPARE(sires->model()->index(0, 4).data().toString(), "0.0%");

    // Enter a Mating warns before anything is written.
    w.choose("breedingMenu", "Enter a Mating");
    auto *mating = w.shown<breeding::MatingEntryScreen>(breeding::MatingEntryScreen::screenName());
    focusOnList(mating->findChild<ui::PickList *>("sire"));
    typeKeys("Rex");
    pressKey(Qt::Key_Return);
    focusOnList(mating->findChild<ui::PickList *>("dam"));
    typeKeys("Bella");
    pressKey(Qt::Key_Return);
    QCOMPARE(mating->findChild<QLabel *>("affectedWarning")->text(),
             "DM: can produce affected pups");
    QCOMPARE(mating->findChild<QLabel *>("litterCoi")->text(), "Litter COI 0.00%");
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM mating").toInt(), 0);
}

QTEST_MAIN(HealthWorkTest)
#include "tst_healthwork.moc"
