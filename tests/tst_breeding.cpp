#include "breeding/Breeding.h"
#include "breeding/DueDate.h"
#include "breeding/LitterHistories.h"
#include "breeding/LitterScreen.h"
#include "breeding/MatingEntryScreen.h"
#include "breeding/MatingHistoryScreens.h"
#include "breeding/Seasons.h"
#include "breeding/SeasonsScreen.h"
#include "core/Choices.h"
#include "core/DateText.h"
#include "kennel/Whelping.h"
#include "tests/TestSupport.h"
#include "ui/PickList.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace testing;

namespace {

void click(QWidget &screen, const char *button)
{
    screen.findChild<QPushButton *>(button)->click();
}

void addMating(const QSqlDatabase &db, const QVariant &sire, const QVariant &dam,
               const QString &mated = "2026-01-10")
{
    exec(db, "INSERT INTO mating (dgname1, dgname2, datemated) VALUES (?, ?, ?)",
         {sire, dam, mated});
}

} // namespace

class BreedingTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void dueDate_data();
    void dueDate();

    void matingListsOnlyExactSexes();
    void matingChecksInOrder_data();
    void matingChecksInOrder();
    void matingRefusesInvalidDate();
    void matingIsWritten();
    void enterPressesTheFocusedButtonOrTakesTheEntry();

    void litterListNamesEveryMatingWithADam();
    void viewShowsSireDamAndBreed();
    void matingChosenByKeysIsViewed();
    void litterChecksInOrder_data();
    void typingAReplacesTheDateHint_data();
    void typingAReplacesTheDateHint();
    void litterChecksInOrder();
    void litterWritesPups_data();
    void litterWritesPups();
    void litterOfNoPupsWritesNothing();
    void sameMatingTwiceMakesTwoLitters();
    void pupsWithoutSetupRowHaveNoOwner();

    void historyListsEveryMating();
    void aFailedReadIsSaidNotShownAsEmpty();
    void historyChecksTheChoice();
    void litterHistoriesReport();

    void seasonForecasts_data();
    void seasonForecasts();
    void seasonsThatCannotBeAreRefused_data();
    void seasonsThatCannotBeAreRefused();
    void seasonsExpectedSoonestFirst();
    void seasonsScreenKeepsWhatIsTyped();
};

void BreedingTest::dueDate_data()
{
    QTest::addColumn<QDate>("mated");
    QTest::addColumn<QString>("due");
    QTest::newRow("6/12/2000") << QDate(2000, 6, 12) << " 8/ 14/ 2000";
    QTest::newRow("11/30/2000") << QDate(2000, 11, 30) << " 2/ 2/ 2001";
    QTest::newRow("12/5/2000") << QDate(2000, 12, 5) << " 2/ 7/ 2001";
    QTest::newRow("4/30/2000") << QDate(2000, 4, 30) << " 7/ 2/ 2000";
    QTest::newRow("12/1/2000") << QDate(2000, 12, 1) << " 2/ 3/ 2001";
    QTest::newRow("10/30/2000") << QDate(2000, 10, 30) << " 1/ 2/ 2001";
    QTest::newRow("5/10/1900") << QDate(1900, 5, 10) << " 7/ 12/ 2000";
    QTest::newRow("11/10/1900") << QDate(1900, 11, 10) << " 1/ 12/ 1901";
    QTest::newRow("the 31st") << QDate(2000, 12, 31) << " 3/ 5/ 2001";
    QTest::newRow("January 31st") << QDate(2001, 1, 31) << " 4/ 2/ 2001";
    QTest::newRow("29th before a 30-day month") << QDate(2001, 7, 29) << " 10/ 1/ 2001";
    QTest::newRow("29th before February") << QDate(2000, 12, 29) << " 3/ 3/ 2001";
    QTest::newRow("28th before February") << QDate(2000, 12, 28) << " 3/ 2/ 2001";
    QTest::newRow("27th before a short February") << QDate(2000, 12, 27) << " 3/ 1/ 2001";
    QTest::newRow("27th before a leap February") << QDate(2003, 12, 27) << " 2/ 29/ 2004";
    QTest::newRow("into 1900 read as 2000") << QDate(1899, 12, 27) << " 2/ 29/ 2000";
}

void BreedingTest::dueDate()
{
    QFETCH(QDate, mated);
    QFETCH(QString, due);
    QCOMPARE(breeding::litterDueText(mated), due);
    QVERIFY(breeding::litterDueDate(mated).isValid());
}

void BreedingTest::matingListsOnlyExactSexes()
{
    Kennel kennel;
    addDog(kennel.db(), {{"name", "Zeus"}, {"sex", "Male"}});
    addDog(kennel.db(), {{"name", "ajax"}, {"sex", "Male"}});
    addDog(kennel.db(), {{"name", "Low"}, {"sex", "male"}});
    addDog(kennel.db(), {{"name", "Bella"}, {"sex", "Female"}});
    auto screen = opened<breeding::MatingEntryScreen>();
    QCOMPARE(screen->windowTitle(), "Enter a Mating ");
    auto *sire = screen->findChild<ui::PickList *>("sire");
    auto *dam = screen->findChild<ui::PickList *>("dam");
    QCOMPARE(sire->entries(), QStringList({"ajax", "Zeus"}));
    QCOMPARE(dam->entries(), QStringList({"Bella"}));
    QCOMPARE(sire->text(), "Select the Sire");
    QCOMPARE(dam->text(), "Select the Dam");
}

void BreedingTest::matingChecksInOrder_data()
{
    QTest::addColumn<QString>("sire");
    QTest::addColumn<QString>("dam");
    QTest::addColumn<QString>("mated");
    QTest::addColumn<QString>("message");
    QTest::newRow("untouched lists, date given") << "Select the Sire"
                                                 << "Select the Dam"
                                                 << "6/12/00"
                                                 << " Please Select a Sire";
    QTest::newRow("empty sire") << ""
                                << "Bella"
                                << "6/12/00"
                                << " Please Select a Sire";
    QTest::newRow("no dam") << "Max"
                            << "Select the Dam"
                            << ""
                            << " Please Select the Dam ";
    QTest::newRow("no date") << "Max"
                             << "Bella"
                             << ""
                             << " Please Enter the Date of the Mating";
}

void BreedingTest::matingChecksInOrder()
{
    QFETCH(QString, sire);
    QFETCH(QString, dam);
    QFETCH(QString, mated);
    QFETCH(QString, message);
    Kennel kennel;
    MessageRecorder messages;
    auto screen = opened<breeding::MatingEntryScreen>();
    screen->findChild<ui::PickList *>("sire")->setText(sire);
    screen->findChild<ui::PickList *>("dam")->setText(dam);
    screen->findChild<QLineEdit *>("datemated")->setText(mated);
    click(*screen, "submit");
    QCOMPARE(messages.texts, QStringList({message}));
    QCOMPARE(messages.titles, QStringList({" Houndry"}));
    QVERIFY(screen->isVisible());
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM mating").toInt(), 0);
}

void BreedingTest::matingRefusesInvalidDate()
{
    Kennel kennel;
    MessageRecorder messages;
    auto screen = opened<breeding::MatingEntryScreen>();
    screen->findChild<ui::PickList *>("sire")->setText("Max");
    screen->findChild<ui::PickList *>("dam")->setText("Bella");
    screen->findChild<QLineEdit *>("datemated")->setText("MM/DD/YY");
    click(*screen, "submit");
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY(messages.texts[0].contains("Date Mated") &&
            messages.texts[0].contains("month/day/year"));
    QCOMPARE(screen->findChild<QLineEdit *>("datemated")->text(), "MM/DD/YY");
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM mating").toInt(), 0);
}

void BreedingTest::matingIsWritten()
{
    Kennel kennel;
    MessageRecorder messages;
    auto screen = opened<breeding::MatingEntryScreen>();
    screen->findChild<ui::PickList *>("sire")->setText("O'Brien's Ærø");
    screen->findChild<ui::PickList *>("dam")->setText("Señora \"Bella\"");
    auto *date = screen->findChild<QLineEdit *>("datemated");
    date->setFocus();
    date->setText("12/31/00");
    screen->findChild<ui::PickList *>("sire")->setFocus();
    QTRY_COMPARE(screen->findChild<QLabel *>("datedue")->text(), " 3/ 5/ 2001");
    click(*screen, "submit");
    QCOMPARE(messages.texts, QStringList({" Your Mating has been Entered"}));
    QVERIFY(!screen->isVisible());
    QCOMPARE(scalar(kennel.db(),
                    "SELECT dgname1 || '|' || dgname2 || '|' || datemated || '|' || datedue "
                    "FROM mating")
                 .toString(),
             "O'Brien's Ærø|Señora \"Bella\"|2000-12-31|2001-03-05");
}

void BreedingTest::enterPressesTheFocusedButtonOrTakesTheEntry()
{
    Kennel kennel;
    MessageRecorder messages;
    addDog(kennel.db(), {{"name", "Max"}, {"sex", "Male"}});
    addDog(kennel.db(), {{"name", "Bella"}, {"sex", "Female"}});
    auto screen = opened<breeding::MatingEntryScreen>();
    auto *sire = screen->findChild<ui::PickList *>("sire");
    focusOn(sire);
    pressKey(Qt::Key_A, Qt::ControlModifier);
    typeKeys("ma");
    QTRY_VERIFY(QApplication::activePopupWidget());
    pressKey(Qt::Key_Down);
    pressKey(Qt::Key_Return);
    QCOMPARE(sire->currentText(), "Max");
    QVERIFY(messages.texts.isEmpty());

    focusOn(screen->findChild<ui::PickList *>("dam"));
    pressKey(Qt::Key_A, Qt::ControlModifier);
    typeKeys("Bella");
    pressKey(Qt::Key_Tab);
    typeKeys("03/01/26");
    pressKey(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), "submit");
    pressKey(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), "cancel");
    pressKey(Qt::Key_Return);
    QVERIFY(!screen->isVisible());
    QVERIFY(messages.texts.isEmpty());
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM mating").toInt(), 0);

    // Enter in a box presses the screen's main button.
    screen = opened<breeding::MatingEntryScreen>();
    screen->findChild<ui::PickList *>("sire")->setText("Max");
    screen->findChild<ui::PickList *>("dam")->setText("Bella");
    focusOn(screen->findChild<QLineEdit *>("datemated"));
    typeKeys("03/01/26");
    pressKey(Qt::Key_Return);
    QCOMPARE(messages.texts, QStringList({" Your Mating has been Entered"}));
    QCOMPARE(scalar(kennel.db(), "SELECT dgname1 || dgname2 FROM mating").toString(), "MaxBella");
}

void BreedingTest::litterListNamesEveryMatingWithADam()
{
    Kennel kennel;
    addMating(kennel.db(), "Max", "");
    addMating(kennel.db(), "Max", "Bella");
    addMating(kennel.db(), "Rex", QVariant());
    addMating(kennel.db(), QVariant(), "Daisy");
    addMating(kennel.db(), "Zeus", "Bella");
    auto screen = opened<breeding::LitterScreen>();
    QCOMPARE(screen->windowTitle(), "Select Litter from Mating");
    QStringList lines;
    for (int i = 0; i < screen->matings()->count(); ++i)
        lines << screen->matings()->itemText(i);
    QCOMPARE(lines, QStringList({"Bella With Max", "Daisy With ", "Bella With Zeus"}));
    QCOMPARE(screen->matings()->currentText(), "");
    QCOMPARE(screen->matings()->placeholderText(), "Matings");

    // Typing goes to the next line that starts with the letter, then round to the first.
    screen->matings()->setFocus();
    const QStringList typedTo{"Daisy With ", "Bella With Zeus", "Bella With Max",
                              "Bella With Zeus"};
    for (qsizetype i = 0; i < typedTo.size(); ++i) {
        QTest::keyClick(screen->matings(), i == 0 ? Qt::Key_D : Qt::Key_B);
        QCOMPARE(screen->matings()->currentText(), typedTo[i]);
        QTest::qWait(QApplication::keyboardInputInterval() + 50);
    }
}

void BreedingTest::matingChosenByKeysIsViewed()
{
    Kennel kennel;
    addDog(kennel.db(), {{"name", "Bella"}, {"breed", "Whippet"}});
    addMating(kennel.db(), "Max", "Bella");
    addMating(kennel.db(), "Zeus", "Bella");
    auto screen = opened<breeding::LitterScreen>();
    focusOn(screen->matings());
    pressKey(Qt::Key_Down);
    pressKey(Qt::Key_Down);
    QCOMPARE(screen->matings()->currentText(), "Bella With Zeus");
    QTest::mouseClick(screen->findChild<QPushButton *>("view"), Qt::LeftButton);
    QCOMPARE(screen->findChild<QLabel *>("sire")->text(), "Zeus");
    QCOMPARE(screen->findChild<QLabel *>("breed")->text(), "Whippet");
}

void BreedingTest::viewShowsSireDamAndBreed()
{
    Kennel kennel;
    addDog(kennel.db(), {{"name", "BELLA"}, {"breed", "Whippet"}});
    addMating(kennel.db(), "Max", "Bella");
    addMating(kennel.db(), "Zeus", "Bella");
    addMating(kennel.db(), "Zeus", "Nobody");
    auto screen = opened<breeding::LitterScreen>();
    click(*screen, "view"); // no line chosen: nothing shown
    QCOMPARE(screen->findChild<QLabel *>("sire")->text(), "");
    screen->matings()->setCurrentIndex(1);
    click(*screen, "view");
    QCOMPARE(screen->findChild<QLabel *>("sire")->text(), "Zeus");
    QCOMPARE(screen->findChild<QLabel *>("dam")->text(), "Bella");
    QCOMPARE(screen->findChild<QLabel *>("breed")->text(), "Whippet");
    screen->matings()->setCurrentIndex(2);
    click(*screen, "view");
    QCOMPARE(screen->findChild<QLabel *>("breed")->text(), "");
}

void BreedingTest::litterChecksInOrder_data()
{
    QTest::addColumn<bool>("viewed");
    QTest::addColumn<QString>("pups");
    QTest::addColumn<QString>("born");
    QTest::addColumn<QString>("message");
    const QString count = "Please Enter the Number of Puppies Born in the Litter";
    QTest::newRow("nothing viewed") << false << ""
                                    << ""
                                    << " Please Select a Mating First";
    QTest::newRow("no count") << true << ""
                              << "" << count;
    QTest::newRow("no date") << true << "3"
                             << ""
                             << "Please Enter the Date of Birth of the Litter";
    QTest::newRow("negative") << true << "-1"
                              << "3/1/26" << count;
    QTest::newRow("letters") << true << "abc"
                             << "3/1/26" << count;
    QTest::newRow("too many") << true << "99999"
                              << "3/1/26" << count;
    QTest::newRow("hint left as date") << true << "3"
                                       << "MM/DD/YY"
                                       << "Date of Birth";
}

void BreedingTest::typingAReplacesTheDateHint_data()
{
    QTest::addColumn<int>("reason");
    QTest::newRow("Tab") << int(Qt::TabFocusReason);
    QTest::newRow("mouse") << int(Qt::MouseFocusReason);
    QTest::newRow("other") << int(Qt::OtherFocusReason);
}

void BreedingTest::typingAReplacesTheDateHint()
{
    QFETCH(int, reason);
    Kennel kennel;
    addMating(kennel.db(), "Max", "Bella");
    auto screen = opened<breeding::LitterScreen>();
    auto *born = screen->findChild<QLineEdit *>("dateoflitter");
    focusOn(screen->findChild<QLineEdit *>("littersize"));
    born->setFocus(Qt::FocusReason(reason));
    QTRY_COMPARE(born->selectedText(), "MM/DD/YY");
    typeKeys("3/1/26");
    QCOMPARE(born->text(), "3/1/26");
}

void BreedingTest::litterChecksInOrder()
{
    QFETCH(bool, viewed);
    QFETCH(QString, pups);
    QFETCH(QString, born);
    QFETCH(QString, message);
    Kennel kennel;
    MessageRecorder messages;
    addMating(kennel.db(), "Max", "Bella");
    auto screen = opened<breeding::LitterScreen>();
    QCOMPARE(screen->findChild<QLineEdit *>("dateoflitter")->text(), "MM/DD/YY");
    if (viewed) {
        screen->matings()->setCurrentIndex(0);
        click(*screen, "view");
    }
    screen->findChild<QLineEdit *>("littersize")->setText(pups);
    screen->findChild<QLineEdit *>("dateoflitter")->setText(born);
    click(*screen, "add");
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY2(messages.texts[0].startsWith(message) || messages.texts[0].contains(message),
             qPrintable(messages.texts[0]));
    QVERIFY(screen->isVisible());
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM litters").toInt(), 0);
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM Dogtable").toInt(), 0);
}

void BreedingTest::litterWritesPups_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("pups");
    QTest::newRow("three") << "3" << 3;
    QTest::newRow("2.5 to even") << "2.5" << 2;
    QTest::newRow("3.5 to even") << "3.5" << 4;
}

void BreedingTest::litterWritesPups()
{
    QFETCH(QString, typed);
    QFETCH(int, pups);
    Kennel kennel;
    MessageRecorder messages;
    exec(kennel.db(), "UPDATE setup SET Name = 'Kirkwood Kennels', country = 'Wales'");
    addDog(kennel.db(), {{"name", "Bella"}, {"breed", "Whippet"}});
    exec(kennel.db(), "INSERT INTO litters (sire) VALUES ('earlier')");
    addMating(kennel.db(), "Max", "Bella");
    auto screen = opened<breeding::LitterScreen>();
    screen->matings()->setCurrentIndex(0);
    click(*screen, "view");
    screen->findChild<QLineEdit *>("littersize")->setText(typed);
    screen->findChild<QLineEdit *>("dateoflitter")->setText("3/1/1900");
    click(*screen, "add");
    QCOMPARE(messages.texts,
             QStringList({QString(" %1 Pups have been added to the Dogs Records You will "
                                  "need to update the Information. ")
                              .arg(pups)}));
    QVERIFY(!screen->isVisible());
    QCOMPARE(scalar(kennel.db(),
                    "SELECT sire || dam || littersize || '|' || dateoflitter || breedoflitter "
                    "FROM litters WHERE litterid = 2")
                 .toString(),
             QString("MaxBella%1|1900-03-01Whippet").arg(pups));
    QCOMPARE(scalar(kennel.db(),
                    "SELECT count(*) FROM Dogtable WHERE name LIKE 'PPLITTER 2 %' AND "
                    "dognumber = dogid AND dob = '2000-03-01' AND cob = 'Wales' AND "
                    "breeder = 'Kirkwood Kennels' AND ownerid = 'Kirkwood Kennels' AND "
                    "breed = 'Whippet' AND sire = 'Max' AND dam = 'Bella' AND sex IS NULL")
                 .toInt(),
             pups);
    QCOMPARE(
        scalar(kennel.db(), "SELECT name FROM Dogtable ORDER BY rowid DESC LIMIT 1").toString(),
        QString("PPLITTER 2 %1").arg(pups));
}

void BreedingTest::litterOfNoPupsWritesNothing()
{
    Kennel kennel;
    MessageRecorder messages;
    addMating(kennel.db(), "Max", "Bella");
    auto screen = opened<breeding::LitterScreen>();
    screen->matings()->setCurrentIndex(0);
    click(*screen, "view");
    screen->findChild<QLineEdit *>("littersize")->setText("0");
    screen->findChild<QLineEdit *>("dateoflitter")->setText("3/1/26");
    click(*screen, "add");
    QCOMPARE(messages.texts,
             QStringList({" 0 Pups have been added to the Dogs Records You will need to "
                          "update the Information. "}));
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM litters").toInt(), 0);
    QVERIFY(!screen->isVisible());
}

void BreedingTest::sameMatingTwiceMakesTwoLitters()
{
    Kennel kennel;
    const kennel::NewLitter litter{"Max", "Bella", "", 2, QDate(2026, 3, 1)};
    QCOMPARE(kennel::addLitter(kennel.db(), litter).value(), 1);
    QCOMPARE(kennel::addLitter(kennel.db(), litter).value(), 2);
    QCOMPARE(scalar(kennel.db(), "SELECT group_concat(name, '|') FROM Dogtable").toString(),
             "PPLITTER 1 1|PPLITTER 1 2|PPLITTER 2 1|PPLITTER 2 2");
}

void BreedingTest::pupsWithoutSetupRowHaveNoOwner()
{
    Kennel kennel;
    exec(kennel.db(), "DELETE FROM setup");
    QVERIFY(kennel::addLitter(kennel.db(), {"Max", "Bella", "", 1, QDate(2026, 3, 1)}).ok());
    QCOMPARE(scalar(kennel.db(),
                    "SELECT count(*) FROM Dogtable WHERE breeder IS NULL AND ownerid IS NULL "
                    "AND cob IS NULL")
                 .toInt(),
             1);
}

void BreedingTest::historyListsEveryMating()
{
    Kennel kennel;
    addMating(kennel.db(), "Max", "Bella", "2000-06-12");
    addMating(kennel.db(), "Rex", "Bella", "2001-01-02");
    addMating(kennel.db(), "Bella", "Daisy", "2002-03-04");
    addMating(kennel.db(), "bella", "Daisy", "2002-03-04");
    addMating(kennel.db(), "Bella", "Bella", "2003-05-06");
    addMating(kennel.db(), "Bella", QVariant(), QString());
    QCOMPARE(breeding::matingHistory(kennel.db(), "Bella"),
             QStringList({"Max was Mated With Bella on 6/12/2000", " ",
                          "Rex was Mated With Bella on 1/2/2001", " ",
                          "Bella was Mated With Daisy on 3/4/2002", " ",
                          "Bella was Mated With Bella on 5/6/2003", " ",
                          "Bella was Mated With Bella on 5/6/2003", " ",
                          "Bella was Mated With  on ", " "}));
    QCOMPARE(breeding::matingHistory(kennel.db(), "Nobody"),
             QStringList({"This dog has not been Mated according to our Records"}));
}

void BreedingTest::aFailedReadIsSaidNotShownAsEmpty()
{
    Kennel kennel;
    MessageRecorder messages;
    exec(kennel.db(), "DROP TABLE mating");
    // Not "This dog has not been Mated": the matings could not be read at all.
    QCOMPARE(breeding::matingHistory(kennel.db(), "Bella"), QStringList());
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY2(messages.texts[0].startsWith("Houndry could not read the kennel (") &&
                 messages.texts[0].contains("mating") &&
                 messages.texts[0].endsWith("What is shown may be incomplete; close the screen "
                                            "and open it again to retry."),
             qPrintable(messages.texts[0]));
    // The same failure is not said again at once, for every list that meets it.
    breeding::matingHistory(kennel.db(), "Rex");
    QCOMPARE(messages.texts.size(), 1);
}

void BreedingTest::historyChecksTheChoice()
{
    Kennel kennel;
    MessageRecorder messages;
    addDog(kennel.db(), {{"name", "Bella"}});
    addMating(kennel.db(), "Max", "Bella", "2000-06-12");
    auto chooser = opened<breeding::SelectDogScreen>();
    QCOMPARE(chooser->objectName(), "Form3");
    QCOMPARE(chooser->findChild<QPushButton *>("ok")->text(), "View Matings");
    QString chosen;
    connect(chooser.get(), &breeding::SelectDogScreen::dogChosen, this,
            [&](const QString &dog) { chosen = dog; });
    chooser->findChild<QPushButton *>("ok")->click();
    QCOMPARE(messages.texts, QStringList({" Please Select a Dog from the List"}));
    chooser->list()->setText("Bella");
    chooser->findChild<QPushButton *>("ok")->click();
    QCOMPARE(chosen, "Bella");
    QVERIFY(!chooser->isVisible());

    breeding::MatingHistoryScreen history;
    history.build(chosen);
    QCOMPARE(history.windowTitle(), "Mating History");
    QCOMPARE(history.heading(), "Mating History of Bella");
    QCOMPARE(history.lines(), QStringList({"Max was Mated With Bella on 6/12/2000", " "}));
}

void BreedingTest::litterHistoriesReport()
{
    Kennel kennel;
    addMating(kennel.db(), "Max", "Bella");
    addMating(kennel.db(), "Max", "Daisy");
    addMating(kennel.db(), "Loner", "Bella");
    exec(kennel.db(), "INSERT INTO litters (sire, dam, littersize, dateoflitter) VALUES "
                      "('Max', 'Bella', 5, '2026-03-01'), ('Max', 'Daisy', 2, '2026-04-02'), "
                      "('max', 'Bella', 9, '2026-05-05')");
    const report::Layout layout = breeding::litterHistories().layout();
    QCOMPARE(layout.caption, "Litter Histories");
    const QStringList texts = layout.texts(0);
    QCOMPARE(texts.count("Litter Size"), 4);
    QCOMPARE(texts.count("9"), 0);
    const QStringList expected{"Sire", "Max",   "Dam",         "Bella", "sire:",       "Max",
                               "dam:", "Bella", "Litter Size", "5",     "Litter Date", "3/1/2026"};
    QCOMPARE(texts.mid(0, expected.size()), expected);
    QCOMPARE(texts.mid(texts.lastIndexOf("Sire")), QStringList({"Sire", "Loner", "Dam", "Bella"}));
    // The mating header's rule and positions inside the one-inch margins.
    QCOMPARE(layout.find(0, "Sire")->rect, QRect(1440 + 144, 1440 + 360 + 360 + 144, 432, 240));
}

QTEST_MAIN(BreedingTest)
void BreedingTest::seasonForecasts_data()
{
    QTest::addColumn<QStringList>("firstDays");
    QTest::addColumn<QString>("next");
    QTest::addColumn<QString>("earliest");
    QTest::addColumn<QString>("latest");
    QTest::addColumn<bool>("usual");
    QTest::newRow("none") << QStringList{} << ""
                          << ""
                          << "" << false;
    QTest::newRow("one") << QStringList{"2026-01-10"} << "2026-07-10"
                         << "2026-07-10"
                         << "2026-07-10" << true;
    QTest::newRow("two: one interval is not enough")
        << QStringList{"2025-06-01", "2026-01-10"} << "2026-07-10"
        << "2026-07-10"
        << "2026-07-10" << true;
    QTest::newRow("three, unordered, one entered twice")
        << QStringList{"2026-01-01", "2025-01-01", "2025-07-01", "2026-01-01"} << "2026-07-03"
        << "2026-07-01"
        << "2026-07-04" << false;
    QTest::newRow("five") << QStringList{"2024-01-01", "2024-07-01", "2025-01-15", "2025-08-01",
                                         "2026-02-01"}
                          << "2026-08-11"
                          << "2026-08-02"
                          << "2026-08-18" << false;
}

void BreedingTest::seasonForecasts()
{
    QFETCH(QStringList, firstDays);
    QFETCH(QString, next);
    QFETCH(QString, earliest);
    QFETCH(QString, latest);
    QFETCH(bool, usual);
    QList<QDate> days;
    for (const QString &day : firstDays)
        days << QDate::fromString(day, Qt::ISODate);
    const breeding::SeasonForecast f = breeding::forecastSeason(days);
    QCOMPARE(f.next.toString(Qt::ISODate), next);
    QCOMPARE(f.earliest.toString(Qt::ISODate), earliest);
    QCOMPARE(f.latest.toString(Qt::ISODate), latest);
    QCOMPARE(f.fromUsualInterval, usual);
}

void BreedingTest::seasonsThatCannotBeAreRefused_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("problem");
    QTest::newRow("fine") << "2024-03-01"
                          << "2024-03-20"
                          << "";
    QTest::newRow("no first day") << ""
                                  << ""
                                  << "A season needs its first day.";
    QTest::newRow("last before first")
        << "2024-03-01"
        << "2024-02-20"
        << "The last day of a season cannot come before its first day.";
    QTest::newRow("before birth") << "2019-12-31"
                                  << ""
                                  << "A season cannot begin before the bitch was born (" +
                                         core::datetext::shortDate(QDate(2020, 1, 1)) + ").";
    QTest::newRow("after death") << "2025-06-02"
                                 << ""
                                 << "A season cannot begin after the bitch died (" +
                                        core::datetext::shortDate(QDate(2025, 6, 1)) + ").";
    QTest::newRow("twice") << "2023-05-05"
                           << ""
                           << "A season beginning on " +
                                  core::datetext::shortDate(QDate(2023, 5, 5)) +
                                  " is recorded already.";
}

void BreedingTest::seasonsThatCannotBeAreRefused()
{
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QString, problem);
    Kennel kennel;
    const qint64 bitch = addDog(
        kennel.db(),
        {{"name", "Bella"}, {"sex", "Female"}, {"dob", "2020-01-01"}, {"dod", "2025-06-01"}});
    breeding::Season held;
    held.dogId = bitch;
    held.firstDay = QDate(2023, 5, 5);
    QVERIFY(breeding::addSeason(kennel.db(), held, "Bella").ok());
    breeding::Season season;
    season.dogId = bitch;
    season.firstDay = QDate::fromString(first, Qt::ISODate);
    season.lastDay = QDate::fromString(last, Qt::ISODate);
    QCOMPARE(breeding::seasonProblem(kennel.db(), season), problem);
}

void BreedingTest::seasonsExpectedSoonestFirst()
{
    Kennel kennel;
    const qint64 early = addDog(kennel.db(), {{"name", "Early"}, {"sex", "Female"}});
    const qint64 late = addDog(kennel.db(), {{"name", "Late"}, {"sex", "Female"}});
    const qint64 gone =
        addDog(kennel.db(), {{"name", "Gone"}, {"sex", "Female"}, {"dod", "2026-01-01"}});
    for (const auto &[dog, day] : {std::pair{late, "2026-06-01"}, std::pair{early, "2026-01-01"},
                                   std::pair{early, "2025-07-01"}, std::pair{early, "2025-01-01"},
                                   std::pair{gone, "2025-12-01"}})
        exec(kennel.db(), "INSERT INTO seasons (dogid, firstday) VALUES (?, ?)", {dog, day});
    QString problem;
    const auto expected = breeding::seasonsExpected(kennel.db(), &problem);
    QVERIFY(problem.isEmpty());
    QStringList listed;
    for (const breeding::ExpectedSeason &e : expected)
        listed << e.name + " " + e.forecast.next.toString(Qt::ISODate);
    QCOMPARE(listed, (QStringList{"Early 2026-07-03", "Late 2026-12-01"}));
}

void BreedingTest::seasonsScreenKeepsWhatIsTyped()
{
    Kennel kennel;
    MessageRecorder messages;
    const qint64 bella = addDog(kennel.db(), {{"name", "Bella"}, {"sex", "Female"}});
    auto screen = opened<breeding::SeasonsScreen>();
    auto *bitch = screen->findChild<ui::PickList *>("dog");
    focusOn(bitch);
    bitch->lineEdit()->selectAll();
    typeKeys("Bella");
    pressKey(Qt::Key_Return);
    for (const QString &day : {QString("2025-01-01"), QString("2025-07-01"), QString("x")}) {
        QTest::mouseClick(screen->findChild<QPushButton *>("newSeason"), Qt::LeftButton);
        focusOn(screen->findChild<QLineEdit *>("firstDay"));
        typeKeys(day == "x" ? day : core::datetext::shortDate(QDate::fromString(day, Qt::ISODate)));
        pressKey(Qt::Key_Return);
    }
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY(messages.texts[0].contains("First Day"));
    QCOMPARE(scalar(kennel.db(), "SELECT group_concat(firstday, '|') FROM seasons WHERE dogid = ?",
                    {bella})
                 .toString(),
             "2025-01-01|2025-07-01");
    QCOMPARE(screen->findChild<QLabel *>("nextSeason")->text(),
             core::datetext::shortDate(QDate(2026, 1, 1)) + " from the usual interval");
}

#include "tst_breeding.moc"
