#include "core/Choices.h"
#include "core/Clock.h"
#include "health/Health.h"
#include "health/HealthRecords.h"
#include "health/HealthReport.h"
#include "health/HistoryScreens.h"
#include "health/NotesScreen.h"
#include "health/VaccinationScreen.h"
#include "tests/TestSupport.h"
#include "ui/PickList.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace testing;

namespace {

void leave(QWidget *control)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(control, &out);
}

struct VaccinationForm
{
    VaccinationForm() : screen(opened<health::VaccinationScreen>()) {}
    void fill(const QString &dog, const QString &vaccinated, const QString &type)
    {
        screen->findChild<ui::PickList *>("dog")->setText(dog);
        leave(screen->findChild<ui::PickList *>("dog"));
        screen->findChild<QLineEdit *>("vaccinated")->setText(vaccinated);
        screen->findChild<ui::PickList *>("vaxtype")->setText(type);
        leave(screen->findChild<ui::PickList *>("vaxtype"));
    }
    QLineEdit *dueBox() const { return screen->findChild<QLineEdit *>("due"); }
    QLabel *dueDisplay() const { return screen->findChild<QLabel *>("dueDisplay"); }
    void save() { screen->findChild<QPushButton *>("save")->click(); }

    std::unique_ptr<health::VaccinationScreen> screen;
};

} // namespace

class HealthTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { core::Clock::setToday(QDate(2026, 12, 7)); }
    void cleanup() { core::Clock::useSystemDate(); }

    void nextDue_data();
    void nextDue();
    void puppyVaxOpensTheDueBox();
    void boosterFillsTheDueAfterPuppyVax();
    void typeWithoutDateComputesNothing();
    void savesAndClears();
    void saveRefuses_data();
    void saveRefuses();
    void historyNewestFirstAndExact();
    void historyScreens();
    void notesNewestFirstAndEmptyOnesGo();
    void noteBoxTakesAHundredCharacters();
    void notesScreenAddsAndSaves();
    void startedNoteIsKeptOrDropped_data();
    void startedNoteIsKeptOrDropped();
    void notesRefuseUnknownDog();
    void healthReportListsTheLatestOfEachTest();
    void frequencyIsReadOrRefused_data();
    void frequencyIsReadOrRefused();
};

void HealthTest::nextDue_data()
{
    QTest::addColumn<QDate>("vaccinated");
    QTest::addColumn<QString>("due");
    QTest::newRow("15 March 2000") << QDate(2000, 3, 15) << " 3/ 15/ 2001";
    QTest::newRow("31 December 1999") << QDate(1999, 12, 31) << " 12/ 31/ 2000";
    QTest::newRow("leap day") << QDate(2024, 2, 29) << " 2/ 28/ 2025";
}

void HealthTest::nextDue()
{
    QFETCH(QDate, vaccinated);
    QFETCH(QString, due);
    QCOMPARE(health::nextDueText(vaccinated), due);
}

void HealthTest::puppyVaxOpensTheDueBox()
{
    Kennel kennel;
    VaccinationForm form;
    QCOMPARE(form.screen->windowTitle(), "Vaccination Form");
    QVERIFY(form.dueBox()->isHidden() && !form.dueDisplay()->isHidden());
    QCOMPARE(form.screen->findChild<ui::PickList *>("vaxtype")->entries(),
             QStringList({"Puppy Vax 1", "Puppy Vax 2", "Puppy Vax 3", "Booster 1yr"}));
    QCOMPARE(form.screen->findChild<QLabel *>("hints")->text(),
             "Puppy Vax 1 = 6 Weeks\nPuppy Vax 2 = 4 Weeks\nPuppy Vax 3 -  Booster 1yr");
    form.fill("Rex", "3/1/26", "Puppy Vax 1");
    QVERIFY(!form.dueBox()->isHidden() && form.dueDisplay()->isHidden());
    QCOMPARE(form.dueBox()->text(), "");
}

void HealthTest::boosterFillsTheDueAfterPuppyVax()
{
    Kennel kennel;
    VaccinationForm form;
    form.fill("Rex", "3/15/00", "Puppy Vax 2");
    form.fill("Rex", "3/15/00", "Booster 1yr");
    QCOMPARE(form.dueBox()->text(), " 3/ 15/ 2001");
    QCOMPARE(form.dueDisplay()->text(), " 3/ 15/ 2001");
    form.fill("Rex", "3/15/00", "booster 1yr"); // not one of the four: nothing changes
    QCOMPARE(form.dueBox()->text(), " 3/ 15/ 2001");
}

void HealthTest::typeWithoutDateComputesNothing()
{
    Kennel kennel;
    MessageRecorder messages;
    VaccinationForm form;
    form.fill("Rex", "", "Puppy Vax 3");
    QCOMPARE(form.dueBox()->text(), "");
    form.save();
    QCOMPARE(messages.texts, QStringList({" Please Enter a Due Date for the Next Vax"}));
}

void HealthTest::savesAndClears()
{
    Kennel kennel;
    MessageRecorder messages;
    addDog(kennel.db(), {{"name", "Rex"}});
    const qint64 id = addDog(kennel.db(), {{"name", "Señor O'Rex"}});
    VaccinationForm form;
    form.fill("Señor O'Rex", "12/31/99", "Booster 1yr");
    form.save();
    QCOMPARE(messages.texts, QStringList({"The Vaccination has been entered."}));
    QCOMPARE(scalar(kennel.db(),
                    "SELECT dogname || '|' || dogid || '|' || vaxtype || '|' || due || '|' || "
                    "vaccinated FROM vaccination")
                 .toString(),
             QString("Señor O'Rex|%1|Booster 1yr|2000-12-31|1999-12-31").arg(id));
    QCOMPARE(core::Choices::selectedname, "Señor O'Rex");
    QCOMPARE(form.screen->findChild<QLineEdit *>("vaccinated")->text(), "");
    QCOMPARE(form.screen->findChild<ui::PickList *>("vaxtype")->text(), "");
    QCOMPARE(form.dueBox()->text(), "");
    QCOMPARE(form.dueDisplay()->text(), " 12/ 31/ 2000");
    QCOMPARE(form.screen->findChild<ui::PickList *>("dog")->text(), "Señor O'Rex");
    QVERIFY(form.screen->isVisible());
}

void HealthTest::saveRefuses_data()
{
    QTest::addColumn<QString>("dog");
    QTest::addColumn<QString>("vaccinated");
    QTest::addColumn<QString>("due");
    QTest::addColumn<QString>("message");
    QTest::newRow("prompt still shown") << "Select a Dog"
                                        << "3/1/26"
                                        << "4/1/26"
                                        << " Please Select a Dog From the List";
    QTest::newRow("no such dog") << "Nobody"
                                 << "3/1/26"
                                 << "4/1/26"
                                 << " Please Select a Dog From the List";
    QTest::newRow("date vaccinated") << "Rex"
                                     << "31/3/26"
                                     << "4/1/26"
                                     << "Date Vaccinated";
    QTest::newRow("due date") << "Rex"
                              << "3/1/26"
                              << "soon"
                              << "Vaccination Due";
}

void HealthTest::saveRefuses()
{
    QFETCH(QString, dog);
    QFETCH(QString, vaccinated);
    QFETCH(QString, due);
    QFETCH(QString, message);
    Kennel kennel;
    MessageRecorder messages;
    addDog(kennel.db(), {{"name", "Rex"}});
    VaccinationForm form;
    form.fill(dog, vaccinated, "Puppy Vax 1");
    form.dueBox()->setText(due);
    form.save();
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY2(messages.texts[0].contains(message), qPrintable(messages.texts[0]));
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM vaccination").toInt(), 0);
    QCOMPARE(form.dueBox()->text(), due);
}

void HealthTest::historyNewestFirstAndExact()
{
    Kennel kennel;
    for (const auto &[dog, vaccinated, type] :
         {std::tuple{"Rex", "2025-03-01", "Puppy Vax 1"}, std::tuple{"REX", "2025-04-01", "Other"},
          std::tuple{"Rex", "2026-03-01", "Booster 1yr"}})
        exec(kennel.db(),
             "INSERT INTO vaccination (dogname, vaccinated, due, vaxtype) VALUES (?, ?, ?, ?)",
             {dog, vaccinated, "2027-03-01", type});
    exec(kennel.db(), "INSERT INTO vaccination (dogname, vaxtype) VALUES ('Rex', 'no dates')");
    QCOMPARE(health::vaccinationHistory(kennel.db(), "Rex"),
             QStringList({"         no dates", "3/1/2026     3/1/2027    Booster 1yr",
                          "3/1/2025     3/1/2027    Puppy Vax 1"}));
    QVERIFY(health::vaccinationHistory(kennel.db(), "Bella").isEmpty());
}

void HealthTest::historyScreens()
{
    Kennel kennel;
    MessageRecorder messages;
    exec(kennel.db(), "INSERT INTO vaccination (dogname, vaccinated, due, vaxtype) VALUES "
                      "('Rex', '2026-03-01', '2027-03-01', 'Booster 1yr')");
    auto chooser = opened<health::VaccinationChooserScreen>();
    QCOMPARE(chooser->objectName(), "Form30");
    QString chosen;
    connect(chooser.get(), &health::VaccinationChooserScreen::dogChosen, this,
            [&](const QString &dog) { chosen = dog; });
    chooser->findChild<QPushButton *>("ok")->click();
    QCOMPARE(messages.texts, QStringList({"Please Select a Dog"}));
    chooser->list()->setText("Rex");
    chooser->findChild<QPushButton *>("ok")->click();
    QVERIFY(chosen == "Rex" && chooser->isVisible());
    auto history = opened<health::VaccinationHistoryScreen>(chosen);
    QCOMPARE(history->objectName(), "Form9");
    QCOMPARE(history->dogName(), "Rex");
    QCOMPARE(history->lines(), QStringList({"3/1/2026     3/1/2027    Booster 1yr"}));
}

void HealthTest::notesNewestFirstAndEmptyOnesGo()
{
    Kennel kennel;
    QVERIFY(health::addNote(kennel.db(), 12, QDate(2026, 1, 5), "Wormed").ok());
    QVERIFY(health::addNote(kennel.db(), 12, QDate(2026, 1, 5), "").ok());
    QVERIFY(health::addNote(kennel.db(), 3, QDate(2026, 1, 6), "Other dog").ok());
    QVERIFY(health::addNote(kennel.db(), 12, QDate(2026, 1, 5), "Weighed 20kg").ok());
    const QString rule(97, '_');
    QCOMPARE(health::notesOf(kennel.db(), 12),
             QStringList({"1/5/2026      Weighed 20kg", rule, "1/5/2026      Wormed", rule}));
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM notes").toInt(), 3);
}

void HealthTest::noteBoxTakesAHundredCharacters()
{
    Kennel kennel;
    health::NotesScreen screen;
    auto *note = screen.findChild<QLineEdit *>("note");
    note->show();
    QTest::keyClicks(note, QString(101, 'x'));
    QCOMPARE(note->text().size(), 100);
}

void HealthTest::notesScreenAddsAndSaves()
{
    Kennel kennel;
    MessageRecorder messages;
    const qint64 id = addDog(kennel.db(), {{"name", "Rex"}});
    auto screen = opened<health::NotesScreen>();
    QCOMPARE(screen->windowTitle(), "Notes ");
    screen->findChild<QPushButton *>("addNote")->click();
    screen->findChild<QPushButton *>("viewNotes")->click();
    QCOMPARE(messages.texts, QStringList(2, " Please Select a Dog From the List"));
    screen->findChild<ui::PickList *>("dog")->setText("rex");
    screen->findChild<QPushButton *>("addNote")->click();
    QVERIFY(screen->isAdding());
    QCOMPARE(screen->findChild<QLineEdit *>("dt")->text(), "12/7/2026");
    screen->findChild<QLineEdit *>("dt")->setText("12/1/26");
    screen->findChild<QLineEdit *>("note")->setText(QString(100, 'n'));
    screen->findChild<QPushButton *>("saveNote")->click();
    QVERIFY(!screen->isAdding());
    QCOMPARE(screen->lines().first(), "12/1/2026      " + QString(100, 'n'));
    QCOMPARE(scalar(kennel.db(), "SELECT Dogid FROM notes").toLongLong(), id);
}

void HealthTest::startedNoteIsKeptOrDropped_data()
{
    QTest::addColumn<QString>("note");
    QTest::addColumn<int>("kept");
    QTest::newRow("with text") << "Limping a little" << 1;
    QTest::newRow("empty") << "" << 0;
}

void HealthTest::startedNoteIsKeptOrDropped()
{
    QFETCH(QString, note);
    QFETCH(int, kept);
    Kennel kennel;
    MessageRecorder messages;
    addDog(kennel.db(), {{"name", "Rex"}});
    auto screen = opened<health::NotesScreen>();
    screen->findChild<ui::PickList *>("dog")->setText("Rex");
    screen->findChild<QPushButton *>("addNote")->click();
    screen->findChild<QLineEdit *>("note")->setText(note);
    QVERIFY(screen->close());
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM notes").toInt(), kept);
}

void HealthTest::notesRefuseUnknownDog()
{
    Kennel kennel;
    MessageRecorder messages;
    auto screen = opened<health::NotesScreen>();
    screen->findChild<ui::PickList *>("dog")->setText("Ghost");
    screen->findChild<QPushButton *>("addNote")->click();
    QCOMPARE(messages.texts, QStringList({"There is no dog named \"Ghost\"."}));
    QVERIFY(!screen->isAdding());
}

void HealthTest::healthReportListsTheLatestOfEachTest()
{
    Kennel kennel;
    exec(kennel.db(), "UPDATE setup SET Name = 'Ann O''Hara'");
    const qint64 sire = addDog(kennel.db(), {{"name", "Sire"}, {"breed", "Whippet"}});
    const qint64 dam = addDog(kennel.db(), {{"name", "Dam"}, {"ownerid", "ann o'hara"}});
    addDog(kennel.db(), {{"name", "Pup"}, {"sire", "Sire"}, {"dam", "Dam"}, {"breed", "Whippet"}});
    const qint64 dead = addDog(kennel.db(), {{"name", "Gone"}, {"dod", "2020-01-01"}});
    const qint64 sold = addDog(kennel.db(), {{"name", "Sold"}, {"ownerid", "Buyer"}});
    const qint64 pup =
        scalar(kennel.db(), "SELECT dogid FROM Dogtable WHERE name = 'Pup'").toLongLong();
    for (const auto &[dog, test, result, date] :
         {std::tuple{sire, 7, "Clear", "2020-01-01"}, std::tuple{dam, 7, "Clear", "2020-01-01"},
          std::tuple{pup, 1, "B", "2021-01-01"}, std::tuple{pup, 1, "A", "2023-01-01"},
          std::tuple{dead, 7, "Clear", "2020-01-01"}, std::tuple{sold, 7, "Clear", "2020-01-01"}})
        exec(kennel.db(),
             "INSERT INTO healthresults (dogid, testid, result, tested) VALUES (?, ?, ?, ?)",
             {dog, test, result, date});
    const core::DataSet rows = health::healthResultRows(kennel.db());
    QStringList listed;
    for (const core::DataRow &breed : rows) {
        for (const core::DataRow &dog : breed.children) {
            QStringList tests;
            for (const core::DataRow &test : dog.children)
                tests << test.values["test"].toString() + " " + test.values["result"].toString();
            listed << breed.values["breed"].toString() + ": " + dog.values["dog"].toString() +
                          ": " + tests.join(", ");
        }
    }
    QCOMPARE(listed, (QStringList{"Breed not recorded: Dam: PRA-prcd Clear",
                                  "Whippet: Pup: Hips A, PRA-prcd Clear by parentage",
                                  "Whippet: Sire: PRA-prcd Clear"}));
}

void HealthTest::frequencyIsReadOrRefused_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("read"); // empty when refused, "none" when not known
    QTest::newRow("empty") << "  "
                           << "none";
    QTest::newRow("point") << "0.15"
                           << "0.15";
    QTest::newRow("comma") << "0,5"
                           << "0.5";
    QTest::newRow("bounds") << "1"
                            << "1";
    QTest::newRow("above one") << "1.01"
                               << "";
    QTest::newRow("negative") << "-0.1"
                              << "";
    QTest::newRow("letters") << "abc"
                             << "";
    QTest::newRow("not a number") << "nan"
                                  << "";
}

void HealthTest::frequencyIsReadOrRefused()
{
    QFETCH(QString, typed);
    QFETCH(QString, read);
    std::optional<double> frequency = 0.7;
    const QString problem = health::readFrequency(typed, &frequency);
    QCOMPARE(problem.isEmpty(), !read.isEmpty());
    if (read == "none")
        QVERIFY(!frequency);
    else if (!read.isEmpty())
        QCOMPARE(health::frequencyText(frequency), read);
}

QTEST_MAIN(HealthTest)
#include "tst_health.moc"
