#include "app/AboutBox.h"
#include "app/GuidePages.h"
#include "app/HelpScreen.h"
#include "app/KennelLock.h"
#include "app/MainMenu.h"
#include "app/MainWindow.h"
#include "app/ReportPreview.h"
#include "app/SetupScreen.h"
#include "app/UserKennel.h"
#include "breeding/Breeding.h"
#include "contacts/ContactBook.h"
#include "contacts/ContactsScreen.h"
#include "contacts/DeleteContactScreen.h"
#include "core/Choices.h"
#include "core/Clock.h"
#include "core/DateText.h"
#include "db/ChangeLog.h"
#include "dogs/DeleteDogScreen.h"
#include "dogs/DogRecordsScreen.h"
#include "dogs/FindDogScreen.h"
#include "dogs/MergeDogsScreen.h"
#include "health/Health.h"
#include "inbreeding/GeneticsScreen.h"
#include "kennel/Whelping.h"
#include "pedigree/PedigreeScreens.h"
#include "tests/TestSupport.h"
#include "ui/PickList.h"
#include "ui/RecordHistory.h"
#include "ui/ScreenHost.h"
#include "ui/TableScreen.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLockFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>

using namespace testing;

namespace {

struct Started
{
    Started()
    {
        window.show();
        QTRY_VERIFY(window.mainMenu() != nullptr);
    }
    app::MainWindow window;
};

app::HelpScreen *openGuide(Started &app)
{
    app.window.mainMenu()->button("Help")->click();
    return app.window.screens().find<app::HelpScreen>("HelpScreen");
}

// Every item of the subsystems' menus, as the user would choose them one after another.
void openEverySubsystemScreen(app::MainWindow &window)
{
    for (const char *menu : {"dogsMenu", "breedingMenu", "healthMenu", "contactsMenu",
                             "reportsMenu", "geneticsMenu"}) {
        for (QAction *action : window.findChild<QMenu *>(menu)->actions()) {
            if (!action->isSeparator())
                action->trigger();
        }
    }
    QCoreApplication::processEvents();
}

} // namespace

class AppTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { core::Clock::useSystemDate(); }

    void mainMenuHoldsEveryButtonInItsGroup();
    void monthQuestion_data();
    void monthQuestion();
    void reopeningBringsScreenToFrontUnchanged();
    void exitSavesOrWaits_data();
    void exitSavesOrWaits();
    void refusedExitKeepsEveryScreen();
    void closingWithEveryScreenOpenLosesNothing();
    void emptyKennelTablesAndReports();
    void filesThatCannotBeWrittenLoseNothing();
    void sortingAllDogsWhileADogIsEditedLosesNothing();
    void allDogsSortsByTheHeaderClicked();
    void userKennelFolder_data();
    void userKennelFolder();
    void aboutBoxTexts();
    void findDogOpensDogRecordsAndHides();
    void findContactOpensTheFoundContactsScreen();
    void aDogLeftOnTheVaccinationScreenIsNotWhatOthersOpenOn();
    void mergeDogsShowsBothAndKeepsTheChosenValues();
    void ctrlZUndoesTheLatestChangeWhole_data();
    void ctrlZUndoesTheLatestChangeWhole();
    void historyListsTheChangesOfTheDogShown();
    void entriesAreUndoneOneByOne();
    void checkPedigreesOpensTheMergeOnLikelyDuplicates();
    void deletingAContactAsksAboutTheDogsNamingIt_data();
    void deletingAContactAsksAboutTheDogsNamingIt();
    void deletingADogTakesItsOwnRecordsAndAsksAboutItsOffspring_data();
    void deletingADogTakesItsOwnRecordsAndAsksAboutItsOffspring();
    void setupShowsAndSavesTheSetupRow();
    void setupClosedUnchangedWritesNothing();
    void setupAddsAMissingRow();
    void pedigreeScreensShowEachNewBuild();
    void escapeClosesAScreen();
    void noTwoShortcutsShareAKey();
    void closeKeysCloseTheActiveScreen_data();
    void closeKeysCloseTheActiveScreen();
    void everyInputHasAnAccessibleName();
    void startupListsOpenInFrontOfTheMenu();
    void f1OpensTheGuideOnTheScreensPage_data();
    void f1OpensTheGuideOnTheScreensPage();
    void everyGuidePageAndPictureIsThere();
    void guideSearchListsThePagesWithTheWords();
    void aMissingGuidePageIsSaid();
    void enterOnAMainMenuButtonPressesIt();
    void geneticsMenuOpensItsScreenAndReports();
    void menuBarReachesEveryScreen();
    void mainMenuIsNeverBuriedOrStuck();
    void statusBarShowsTheKennel();
    void allDogsSearchesSortsAndOpensThatRow();
    void allDogsSortsByCoi();
    void oneCopyPerKennel();
    void secondStartBringsTheFirstForward();
};

void AppTest::mainMenuHoldsEveryButtonInItsGroup()
{
    Kennel kennel;
    MessageRecorder messages;
    Started app;
    QCOMPARE(app.window.windowTitle(), "Pawmark Houndry");
    app::MainMenu *menu = app.window.mainMenu();
    QCOMPARE(menu->windowTitle(), "Main Menu");
    QStringList groups;
    int buttons = 0;
    for (QGroupBox *box : menu->findChildren<QGroupBox *>()) {
        groups << box->title();
        buttons += box->findChildren<QPushButton *>().size();
    }
    QCOMPARE(groups, QStringList({"Dog Section", "Lists", "Reports", "Contacts", "System"}));
    QCOMPARE(buttons, 28); // 27 that open something, and Help
    QStringList dogSection;
    for (QPushButton *b : menu->findChildren<QGroupBox *>().first()->findChildren<QPushButton *>())
        dogSection << b->text();
    QCOMPARE(dogSection.size(), 11);
    QCOMPARE(dogSection.at(5), "Find / Update Dog ");
    QVERIFY(menu->button("List Birthdays ") && menu->button("About "));
    // No close box, and closing it otherwise does nothing.
    QMdiSubWindow *frame = app.window.screens().frameOf(menu);
    QVERIFY(!(frame->windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(!frame->close());
}

void AppTest::monthQuestion_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<bool>("asked");
    QTest::newRow("first of the month") << QDate(2026, 12, 1) << true;
    QTest::newRow("first of the year") << QDate(2027, 1, 1) << true;
    QTest::newRow("second of the month") << QDate(2026, 12, 2) << false;
    QTest::newRow("last of the month") << QDate(2026, 12, 31) << false;
}

void AppTest::monthQuestion()
{
    QFETCH(QDate, today);
    QFETCH(bool, asked);
    core::Clock::setToday(today);
    Kennel kennel;
    MessageRecorder messages;
    Started app;
    if (!asked) {
        QVERIFY(messages.texts.isEmpty());
        return;
    }
    QCOMPARE(messages.texts,
             QStringList({"Would You Like to View the Vaccination , Birthday  & Due Litters for "
                          "this Month ?"}));
    QCOMPARE(messages.titles, QStringList({"Vaccination and Birthdays"}));
}

void AppTest::reopeningBringsScreenToFrontUnchanged()
{
    Kennel kennel;
    MessageRecorder messages;
    addDog(kennel.db(), {{"name", "Rex"}});
    Started app;
    app.window.choose("Browse / Update Dogs");
    auto *screen = app.window.screens().find<dogs::DogRecordsScreen>("Form4");
    QTRY_VERIFY(screen && screen->isLoaded());
    screen->findChild<QLineEdit *>("colour")->setText("typed, not saved yet");
    app.window.choose("Help");
    app.window.choose("Browse / Update Dogs");
    QCOMPARE(app.window.screens().find<dogs::DogRecordsScreen>("Form4"), screen);
    QCOMPARE(screen->findChild<QLineEdit *>("colour")->text(), "typed, not saved yet");
    QCOMPARE(app.window.findChild<QMdiArea *>()->activeSubWindow()->widget(), screen);
}

void AppTest::exitSavesOrWaits_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("ends");
    QTest::newRow("an edit is saved") << "Microchip"
                                      << "985 000 111" << true;
    QTest::newRow("an invalid date keeps it open") << "dod"
                                                   << "not yet" << false;
}

void AppTest::exitSavesOrWaits()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(bool, ends);
    Kennel kennel;
    MessageRecorder messages;
    addDog(kennel.db(), {{"name", "Rex"}});
    Started app;
    app.window.choose("Browse / Update Dogs");
    auto *screen = app.window.screens().find<dogs::DogRecordsScreen>("Form4");
    QTRY_VERIFY(screen->isLoaded());
    screen->findChild<QLineEdit *>(field)->setText(typed);
    app.window.mainMenu()->button("Exit")->click();

    QCOMPARE(app.window.isVisible(), !ends);
    QCOMPARE(messages.texts.size(), ends ? 0 : 1);
    QCOMPARE(app.window.screens().find<dogs::DogRecordsScreen>("Form4") != nullptr, !ends);
    QCOMPARE(scalar(kennel.db(), QString("SELECT %1 FROM Dogtable").arg(field)).toString(),
             ends ? typed : QString());
}

void AppTest::refusedExitKeepsEveryScreen()
{
    Kennel kennel;
    MessageRecorder messages;
    addDog(kennel.db(), {{"name", "Rex"}});
    Started app;
    app.window.choose("Help");
    app.window.choose("Browse / Update Dogs");
    auto *screen = app.window.screens().find<dogs::DogRecordsScreen>("Form4");
    QTRY_VERIFY(screen->isLoaded());
    focusOn(screen->findChild<QLineEdit *>("dod"));
    typeKeys("13/45/2020");
    for (int attempt = 1; attempt <= 2; ++attempt) {
        QTest::mouseClick(app.window.mainMenu()->button("Exit"), Qt::LeftButton);
        QCOMPARE(messages.texts.size(), attempt);
        QVERIFY(app.window.isVisible());
        QVERIFY(app.window.mainMenu() && app.window.mainMenu()->isVisible());
        QVERIFY(app.window.screens().find("HelpScreen"));
        QCOMPARE(app.window.screens().find<dogs::DogRecordsScreen>("Form4"), screen);
        QCOMPARE(screen->findChild<QLineEdit *>("dod")->text(), "13/45/2020");
        QCOMPARE(app.window.findChild<QMdiArea *>()->activeSubWindow()->widget(), screen);
    }
    focusOn(screen->findChild<QLineEdit *>("dod"));
    pressKey(Qt::Key_A, Qt::ControlModifier);
    typeKeys("12/04/2020");
    app.window.close();
    QVERIFY(!app.window.isVisible());
    QCOMPARE(messages.texts.size(), 2);
    QCOMPARE(scalar(kennel.db(), "SELECT dod FROM Dogtable").toString(), "2020-12-04");
}

void AppTest::closingWithEveryScreenOpenLosesNothing()
{
    Kennel kennel;
    MessageRecorder messages;
    addDog(kennel.db(), {{"name", "Rex"}, {"sex", "Male"}});
    addDog(kennel.db(), {{"name", "Bella"}, {"sex", "Female"}});
    exec(kennel.db(), "INSERT INTO contacts (last) VALUES ('Ann Lee')");
    Started app;
    openEverySubsystemScreen(app.window);
    auto *area = app.window.findChild<QMdiArea *>();
    QVERIFY(area->subWindowList().size() >= 20);
    app.window.choose("Browse / Update Dogs");
    auto *screen = app.window.screens().find<dogs::DogRecordsScreen>("Form4");
    QTRY_VERIFY(screen->isLoaded());
    focusOn(screen->findChild<QLineEdit *>("colour"));
    typeKeys("Fawn");
    focusOn(screen->findChild<QLineEdit *>("dod"));
    typeKeys("31/31/2020");
    const qsizetype open = area->subWindowList().size();
    const qsizetype before = messages.texts.size();
    app.window.close();
    QVERIFY(app.window.isVisible());
    QCOMPARE(messages.texts.size(), before + 1);
    QCOMPARE(area->subWindowList().size(), open);
    QVERIFY(app.window.mainMenu() && app.window.mainMenu()->isVisible());
    QCOMPARE(area->activeSubWindow()->widget(), screen);
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM Dogtable WHERE dod IS NOT NULL").toInt(), 0);

    focusOn(screen->findChild<QLineEdit *>("dod"));
    pressKey(Qt::Key_A, Qt::ControlModifier);
    pressKey(Qt::Key_Backspace);
    app.window.close();
    QVERIFY(!app.window.isVisible());
    QCOMPARE(scalar(kennel.db(), "SELECT colour FROM Dogtable WHERE name = 'Rex'").toString(),
             "Fawn");
}

void AppTest::emptyKennelTablesAndReports()
{
    Kennel kennel;
    MessageRecorder messages;
    Started app;
    app.window.findChild<QMenu *>("dogsMenu")->actions().last()->trigger();
    auto *dogs = app.window.screens().find<ui::TableScreen>("AllDogs");
    QTRY_VERIFY(dogs && dogs->isLoaded());
    QCOMPARE(dogs->countText(), "0 of 0 dogs");
    focusOn(dogs->findChild<QLineEdit *>("search"));
    typeKeys("x");
    QTRY_COMPARE(dogs->countText(), "0 of 0 dogs");
    focusOn(dogs->findChild<QTableView *>("table"));
    pressKey(Qt::Key_Return);
    for (const char *report :
         {"Dog Owner Report", "Litter Histories", "Sales Report", "Contact List"}) {
        app.window.choose(report);
        auto *preview = qobject_cast<app::ReportPreview *>(
            app.window.findChild<QMdiArea *>()->activeSubWindow()->widget());
        QVERIFY(preview);
        QTRY_VERIFY(preview->isLoaded() && preview->pages().isComplete());
        QCOMPARE(preview->pages().pageCount(), 1);
        QCOMPARE(preview->findChild<QLabel *>("pageLabel")->text(), "Page 1 of 1");
    }
}

void AppTest::filesThatCannotBeWrittenLoseNothing()
{
    Kennel kennel;
    MessageRecorder messages;
    addDog(kennel.db(), {{"name", "Rex"}, {"sex", "Male"}});
    exec(kennel.db(), "INSERT INTO contacts (last) VALUES ('Ann Lee')");
    Started app;
    // As files the user may not write: every write fails, on both.
    exec(kennel.db(), "PRAGMA query_only = ON");
    exec(kennel.report(), "PRAGMA query_only = ON");
    openEverySubsystemScreen(app.window);
    QVERIFY(app.window.mainMenu() && app.window.mainMenu()->isVisible());

    app.window.choose("Browse / Update Dogs");
    auto *screen = app.window.screens().find<dogs::DogRecordsScreen>("Form4");
    QTRY_VERIFY(screen->isLoaded());
    focusOn(screen->findChild<QLineEdit *>("colour"));
    typeKeys("Fawn");
    // Told, and asked: No keeps the screen and what was typed.
    const qsizetype before = messages.texts.size();
    app.window.close();
    QVERIFY(app.window.isVisible());
    QCOMPARE(messages.texts.size(), before + 1);
    QVERIFY(messages.texts.last().contains("could not be written"));
    QVERIFY(messages.texts.last().endsWith("Leave this record without saving the changes?"));
    QCOMPARE(screen->findChild<QLineEdit *>("colour")->text(), "Fawn");
    // Yes lets the user leave; the files are as they were.
    messages.answers = {true, true, true};
    app.window.close();
    QVERIFY(!app.window.isVisible());
    exec(kennel.db(), "PRAGMA query_only = OFF");
    QVERIFY(scalar(kennel.db(), "SELECT colour FROM Dogtable").isNull());
    QCOMPARE(scalar(kennel.db(), "PRAGMA integrity_check").toString(), "ok");
}

void AppTest::sortingAllDogsWhileADogIsEditedLosesNothing()
{
    Kennel kennel;
    MessageRecorder messages;
    addDog(kennel.db(), {{"name", "Rex"}, {"colour", "Red"}});
    addDog(kennel.db(), {{"name", "Bella"}, {"colour", "Black"}});
    Started app;
    app.window.choose("Browse / Update Dogs");
    auto *records = app.window.screens().find<dogs::DogRecordsScreen>("Form4");
    QTRY_VERIFY(records->isLoaded());
    focusOn(records->findChild<QLineEdit *>("colour"));
    pressKey(Qt::Key_A, Qt::ControlModifier);
    typeKeys("Zinc");
    app.window.findChild<QMenu *>("dogsMenu")->actions().last()->trigger();
    auto *all = app.window.screens().find<ui::TableScreen>("AllDogs");
    QTRY_VERIFY(all && all->isLoaded());
    auto *table = all->findChild<QTableView *>("table");
    table->sortByColumn(4, Qt::DescendingOrder);
    // Sorted by colour once the values are read on their thread.
    QTRY_COMPARE(table->model()->index(0, 0).data().toString(), "Rex");
    focusOn(table);
    table->setCurrentIndex(table->model()->index(1, 0));
    pressKey(Qt::Key_Return);
    QTRY_COMPARE(records->findChild<QLineEdit *>("name")->text(), "Bella");
    QCOMPARE(scalar(kennel.db(), "SELECT colour FROM Dogtable WHERE name = 'Rex'").toString(),
             "Zinc");
    QVERIFY(messages.texts.isEmpty());
}

void AppTest::allDogsSortsByTheHeaderClicked()
{
    Kennel kennel;
    addDog(kennel.db(), {{"name", "Amber"}, {"dob", "2020-05-01"}});
    addDog(kennel.db(), {{"name", "Bella"}, {"dob", "2018-01-02"}});
    addDog(kennel.db(), {{"name", "Comet"}, {"dob", "2022-09-10"}});
    Started app;
    app.window.findChild<QMenu *>("dogsMenu")->actions().last()->trigger();
    auto *all = app.window.screens().find<ui::TableScreen>("AllDogs");
    QTRY_VERIFY(all && all->isLoaded());
    auto *table = all->findChild<QTableView *>("table");
    QHeaderView *header = table->horizontalHeader();
    const QPoint dob(header->sectionViewportPosition(5) + header->sectionSize(5) / 2,
                     header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, dob);
    QTRY_COMPARE(table->model()->index(0, 0).data().toString(), "Bella");
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, dob);
    QTRY_COMPARE(table->model()->index(0, 0).data().toString(), "Comet");
    QCOMPARE(table->model()->index(2, 0).data().toString(), "Bella");
}

void AppTest::userKennelFolder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("fileInItsPlace");
    QTest::addColumn<QString>("problem");
    QTest::newRow("made on first start") << "Houndry" << false << "";
    QTest::newRow("a blank and accents on the way")
        << "home of Zoë Ångström/Houndry" << false << "";
    QTest::newRow("a file in its place")
        << "Houndry" << true
        << "The kennel folder %1 cannot be used: a file of that name is in its place.";
}

void AppTest::userKennelFolder()
{
    QFETCH(QString, name);
    QFETCH(bool, fileInItsPlace);
    QFETCH(QString, problem);
    WorkingFolder here;
    const QString folder = here.path() + "/" + name;
    if (fileInItsPlace)
        QVERIFY(QFile(folder).open(QIODevice::WriteOnly));
    QCOMPARE(app::enterKennelFolder(folder),
             problem.isEmpty() ? QString() : problem.arg(QDir::toNativeSeparators(folder)));
    if (!problem.isEmpty())
        return;
    QCOMPARE(QDir::currentPath(), QFileInfo(folder).canonicalFilePath());
    // The owner's alone: nothing for the group or others.
    const QFileDevice::Permissions permissions = QFileInfo(folder).permissions();
    QCOMPARE(permissions &
                 (QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                  QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                  QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther),
             QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList());
    // A second start finds it as it was.
    QCOMPARE(app::enterKennelFolder(folder), QString());
}

void AppTest::aboutBoxTexts()
{
    MessageRecorder messages;
    app::AboutBox about;
    QCOMPARE(about.objectName(), "frmAbout");
    QCOMPARE(about.windowTitle(), "About  Houndry");
    QStringList labels;
    for (QLabel *label : about.findChildren<QLabel *>())
        labels << label->text();
    QVERIFY(labels.contains(" Houndry"));
    QVERIFY(labels.contains("Houndry - Dog Breeding Database Management System"));
    QVERIFY(QRegularExpression("^Version \\d+\\.\\d+\\.\\d+$")
                .match(app::AboutBox::versionText())
                .hasMatch());
    QVERIFY(labels.contains(app::AboutBox::versionText()));
    QStringList buttons;
    for (QPushButton *b : about.findChildren<QPushButton *>())
        buttons << b->text();
    QCOMPARE(buttons, QStringList({"OK", "&System Info..."}));

    qputenv("PATH", "/nonexistent");
    app::AboutBox::startSysInfo();
    QCOMPARE(messages.texts, QStringList({"System Information Is Unavailable At This Time"}));
}

void AppTest::findDogOpensDogRecordsAndHides()
{
    Kennel kennel;
    MessageRecorder messages;
    addDog(kennel.db(), {{"name", "Rex"}});
    addDog(kennel.db(), {{"name", "Bella"}});
    Started app;
    app.window.choose("Find / Update Dog ");
    auto *find = app.window.screens().find<dogs::FindDogScreen>("FindDogRecord");
    QTRY_VERIFY(find->isLoaded());
    find->list()->setText("Bella");
    find->findChild<QPushButton *>("ok")->click();
    auto *records = app.window.screens().find<dogs::DogRecordsScreen>("Form4");
    QTRY_VERIFY(records && records->isLoaded());
    QCOMPARE(records->findChild<QLineEdit *>("name")->text(), "Bella");
    QVERIFY(!app.window.screens().frameOf(find)->isVisible());

    // Back again: the same list and the last choice; a new choice moves the open screen.
    app.window.choose("Find / Update Dog ");
    QCOMPARE(app.window.screens().find<dogs::FindDogScreen>("FindDogRecord"), find);
    QVERIFY(app.window.screens().frameOf(find)->isVisible());
    QCOMPARE(find->list()->text(), "Bella");
    records->findChild<QLineEdit *>("colour")->setText("Fawn");
    find->list()->setText("Rex");
    find->findChild<QPushButton *>("ok")->click();
    QCOMPARE(records->findChild<QLineEdit *>("name")->text(), "Rex");
    QCOMPARE(scalar(kennel.db(), "SELECT colour FROM Dogtable WHERE name = 'Bella'").toString(),
             "Fawn");
}

void AppTest::deletingADogTakesItsOwnRecordsAndAsksAboutItsOffspring_data()
{
    QTest::addColumn<bool>("fromTheMenu");
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<QString>("left");
    QTest::newRow("declined") << false << QList<bool>{false} << "Rex|Rex|1|1|Rex|Rex|Rex|2";
    QTest::newRow("offspring keep the name")
        << false << QList<bool>{true, false} << "|Rex|0|0|Rex|Rex|Rex|0";
    QTest::newRow("offspring cleared, from the menu")
        << true << QList<bool>{true, true} << "||0|0|Rex|Rex|Rex|0";
}

void AppTest::deletingADogTakesItsOwnRecordsAndAsksAboutItsOffspring()
{
    QFETCH(bool, fromTheMenu);
    QFETCH(QList<bool>, answers);
    QFETCH(QString, left);
    Kennel kennel;
    addDog(kennel.db(), {{"name", "Rex"}});
    addDog(kennel.db(), {{"name", "Pup"}, {"sire", "Rex"}});
    exec(kennel.db(), "INSERT INTO notes (Dogid, note) VALUES (1, 'hips good')");
    exec(kennel.db(), "INSERT INTO vaccination (dogid, dogname) VALUES (1, 'Rex')");
    exec(kennel.db(), "INSERT INTO vaccination (dogid, dogname) VALUES (2, 'Rex')");
    exec(kennel.db(), "INSERT INTO mating (dgname1, dgname2) VALUES ('Rex', 'Bella')");
    exec(kennel.db(), "INSERT INTO healthresults (dogid, testid, result) VALUES (1, 7, 'Clear')");
    exec(kennel.db(), "INSERT INTO seasons (dogid, firstday) VALUES (1, '2024-01-01')");
    exec(kennel.report(), "INSERT INTO sales (dogsold) VALUES ('Rex')");
    MessageRecorder messages;
    messages.answers = answers;
    Started app;
    app.window.choose("Browse / Update Dogs");
    auto *records = app.window.screens().find<dogs::DogRecordsScreen>("Form4");
    QTRY_VERIFY(records && records->isLoaded());
    if (fromTheMenu) {
        for (QAction *action : app.window.findChild<QMenu *>("dogsMenu")->actions()) {
            if (action->text().remove('&') == "Delete Dog...")
                action->trigger();
        }
        auto *chooser = app.window.screens().find<dogs::DeleteDogScreen>("DeleteDog");
        QTRY_VERIFY(chooser && chooser->isLoaded());
        chooser->list()->setText("Rex");
        chooser->findChild<QPushButton *>("ok")->click();
    } else {
        records->findChild<QPushButton *>("deleteButton")->click();
    }
    QCOMPARE(messages.texts.value(0),
             "Delete Rex? It is named in 4 other records (1 offspring, 1 mating, 1 vaccination, 1 "
             "sale). Its 1 note, 1 vaccination and 1 health result are deleted with it. Its "
             "recorded seasons (1) are deleted with it.");
    QCOMPARE(messages.icons.value(0), MessageRecorder::Icon::Stop);
    if (answers.size() > 1)
        QCOMPARE(messages.texts.value(1), "Clear the name Rex from its 1 offspring as well? No "
                                          "keeps it there, as a parent that is not recorded.");
    const QString found =
        scalar(kennel.db(),
               "SELECT coalesce((SELECT name FROM Dogtable WHERE dogid = 1), '') || '|' || "
               "(SELECT sire FROM Dogtable WHERE dogid = 2) || '|' || (SELECT count(*) FROM "
               "notes) || '|' || (SELECT count(*) FROM vaccination WHERE dogid = 1) || '|' || "
               "(SELECT dogname FROM vaccination WHERE dogid = 2) || '|' || (SELECT dgname1 "
               "FROM mating) || '|' || (SELECT dogsold FROM report.sales) || '|' || ((SELECT "
               "count(*) FROM healthresults) + (SELECT count(*) FROM seasons))")
            .toString();
    QCOMPARE(found, left);
    const bool deleted = answers.value(0);
    QCOMPARE(records->findChild<QLineEdit *>("name")->text(), deleted ? "Pup" : "Rex");
    QCOMPARE(QDir(kennel.path() + "/backups")
                 .entryList({"Houndry backup before deleting *.zip"}, QDir::Files)
                 .size(),
             deleted ? 1 : 0);
}

namespace {

void triggerMenuItem(app::MainWindow &window, const char *menu, const QString &caption)
{
    for (QAction *action : window.findChild<QMenu *>(menu)->actions()) {
        if (action->text().remove('&') == caption)
            action->trigger();
    }
}

// Opens Merge Dogs from the menu and picks the two dogs by typing their names.
dogs::MergeDogsScreen *mergeScreenOn(app::MainWindow &window, const QString &kept,
                                     const QString &merged)
{
    triggerMenuItem(window, "dogsMenu", "Merge Dogs...");
    auto *screen = window.screens().find<dogs::MergeDogsScreen>("MergeDogs");
    if (!QTest::qWaitFor([screen] { return screen && screen->isLoaded(); }))
        return nullptr;
    for (const auto &[list, name] : {std::pair{"keepList", kept}, std::pair{"mergeList", merged}}) {
        focusOn(screen->findChild<ui::PickList *>(list));
        typeKeys(name);
        pressKey(Qt::Key_Tab);
    }
    return screen;
}

// A kennel where Rex is named by an offspring, a mating, a vaccination and a sale, and has a
// second record under another spelling.
void kennelWithRex(const Kennel &kennel)
{
    addDog(kennel.db(), {{"name", "Rex"}, {"colour", "Red"}});
    addDog(kennel.db(), {{"name", "Pup"}, {"sire", "Rex"}});
    addDog(kennel.db(), {{"name", "REX."}, {"Tattoo", "T1"}, {"dam", "Bella"}});
    exec(kennel.db(), "INSERT INTO notes (Dogid, note) VALUES (1, 'hips good')");
    exec(kennel.db(), "INSERT INTO vaccination (dogid, dogname) VALUES (1, 'Rex')");
    exec(kennel.db(), "INSERT INTO vaccination (dogid, dogname) VALUES (3, 'REX.')");
    exec(kennel.db(), "INSERT INTO mating (dgname1, dgname2) VALUES ('Rex', 'Bella')");
    exec(kennel.report(), "INSERT INTO sales (dogsold) VALUES ('Rex')");
}

} // namespace

void AppTest::mergeDogsShowsBothAndKeepsTheChosenValues()
{
    Kennel kennel;
    addDog(kennel.db(), {{"name", "Rex"}, {"colour", "Red"}, {"dob", "2020-03-01"}});
    addDog(kennel.db(), {{"name", "Pup"}, {"sire", "Rex JW"}});
    addDog(kennel.db(), {{"name", "Rex JW"}, {"colour", "Fawn"}, {"Tattoo", "T1"}});
    MessageRecorder messages;
    messages.answers = {true};
    Started app;
    auto *screen = mergeScreenOn(app.window, "Rex", "Rex JW");
    QVERIFY(screen);
    QStringList shown;
    for (const char *field :
         {"keep_colour", "take_colour", "keep_dob", "take_dob", "keep_Tattoo", "take_Tattoo"})
        shown << screen->findChild<QRadioButton *>(field)->text();
    screen->findChild<QRadioButton *>("take_colour")->click();
    screen->findChild<QPushButton *>("mergeButton")->click();
    QCOMPARE(shown, QStringList({"Red", "Fawn", "3/1/2020", "", "", "T1"}));
    QCOMPARE(messages.texts.value(0),
             "Merge Rex JW into Rex? The record of Rex JW is deleted; every record naming either "
             "dog then names the one kept, and the notes and vaccinations of Rex JW become its "
             "own.");
    QCOMPARE(scalar(kennel.db(), "SELECT group_concat(name || ':' || coalesce(colour, '') || ':' "
                                 "|| coalesce(dob, '') || ':' || coalesce(Tattoo, '') || ':' || "
                                 "coalesce(sire, ''), ' ') FROM Dogtable")
                 .toString(),
             "Rex:Fawn:2020-03-01:T1: Pup::::Rex");
}

void AppTest::ctrlZUndoesTheLatestChangeWhole_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("undoAsked");
    QTest::newRow("an edit, saved by Ctrl+Z itself") << "edit"
                                                     << "Edited Rex";
    QTest::newRow("a rename carrying its records") << "rename"
                                                   << "Renamed Rex to Rex JW";
    QTest::newRow("a delete clearing the offspring") << "delete"
                                                     << "Deleted Rex";
    QTest::newRow("a merge") << "merge"
                             << "Merged REX. into Rex";
}

void AppTest::ctrlZUndoesTheLatestChangeWhole()
{
    QFETCH(QString, change);
    QFETCH(QString, undoAsked);
    Kennel kennel;
    kennelWithRex(kennel);
    const QString before = contentsOf(kennel.db());
    MessageRecorder messages;
    messages.answers = {true, true, true};
    Started app;
    app.window.choose("Browse / Update Dogs");
    auto *records = app.window.screens().find<dogs::DogRecordsScreen>("Form4");
    QTRY_VERIFY(records && records->isLoaded());
    auto *name = records->findChild<QLineEdit *>("name");
    if (change == "edit") {
        focusOn(records->findChild<QLineEdit *>("colour"));
        typeKeys("Blue");
        pressKey(Qt::Key_Tab);
    } else if (change == "rename") {
        focusOn(name);
        name->selectAll();
        typeKeys("Rex JW");
        records->findChild<QPushButton *>("nextButton")->click();
    } else if (change == "delete") {
        records->findChild<QPushButton *>("deleteButton")->click();
    } else {
        auto *screen = mergeScreenOn(app.window, "Rex", "REX.");
        QVERIFY(screen);
        screen->findChild<QPushButton *>("mergeButton")->click();
        QTRY_VERIFY(!app.window.screens().find<QWidget>("MergeDogs"));
    }
    if (change != "edit") {
        QVERIFY(contentsOf(kennel.db()) != before);
        focusOn(name);
    }
    const int asked = int(messages.texts.size());
    pressKey(Qt::Key_Z, Qt::ControlModifier);
    QTRY_VERIFY(messages.texts.size() > asked);
    QVERIFY2(messages.texts.last().startsWith("Undo \u201c" + undoAsked + "\u201d, made "),
             qPrintable(messages.texts.last()));
    QCOMPARE(contentsOf(kennel.db()), before);
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM changesets").toInt(), 0);
    // The screen shows the files as they are again, on the dog it had moved to.
    const bool movedOn = change == "rename" || change == "delete";
    QCOMPARE(name->text(), movedOn ? "Pup" : "Rex");
    if (change == "edit")
        QCOMPARE(records->findChild<QLineEdit *>("colour")->text(), "Red");
    QVERIFY(app.window.statusBar()->currentMessage().startsWith("Undone: " + undoAsked));

    // With nothing left to undo it says so; typing in a box is undone by the box.
    pressKey(Qt::Key_Z, Qt::ControlModifier);
    QTRY_COMPARE(messages.texts.last(), "There is no change to undo.");
    focusOn(name);
    typeKeys("X");
    pressKey(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(name->text(), movedOn ? "Pup" : "Rex");
    QCOMPARE(messages.texts.last(), "There is no change to undo.");
    // A pick list's typing is its own to undo as well.
    auto *sire = records->findChild<ui::PickList *>("sire");
    const int said = int(messages.texts.size());
    focusOn(sire);
    sire->lineEdit()->selectAll();
    typeKeys("Zed");
    pressKey(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(messages.texts.size(), said);
    QVERIFY(sire->lineEdit()->text() != "Zed");
}

void AppTest::entriesAreUndoneOneByOne()
{
    Kennel kennel;
    kennelWithRex(kennel);
    const QString before = contentsOf(kennel.db());
    const QDate day(2026, 3, 4);
    QVERIFY(health::addVaccination(kennel.db(), "Rex", 1, "Rabies", day, day));
    QVERIFY(health::addNote(kennel.db(), 1, day, "Hips scored 4/5"));
    // An empty note, cleared away unlogged when the notes are read, is no change to undo.
    QVERIFY(health::addNote(kennel.db(), 1, day, ""));
    health::notesOf(kennel.db(), 1);
    QVERIFY(contacts::addContact(kennel.db(), {{"last", "O'Brien"}}));
    QVERIFY(breeding::addMating(kennel.db(), "Rex", "Bella", day, day.addDays(63)));
    QVERIFY(kennel::addLitter(kennel.db(), {"Rex", "Bella", "Whippet", 3, day}));
    QStringList undone;
    while (db::latestChange(kennel.db()).id != 0) {
        const auto undo = db::undoLatestChange(kennel.db());
        QVERIFY2(undo, qPrintable(undo.problem()));
        undone << undo.value();
    }
    QCOMPARE(undone,
             QStringList({"Added the litter of Bella and Rex", "Added the mating of Bella and Rex",
                          "Added O'Brien", "Added a note", "Added a vaccination of Rex"}));
    QCOMPARE(contentsOf(kennel.db()), before);
}

void AppTest::historyListsTheChangesOfTheDogShown()
{
    Kennel kennel;
    kennelWithRex(kennel);
    MessageRecorder messages;
    messages.answers = {true};
    Started app;
    app.window.choose("Browse / Update Dogs");
    auto *records = app.window.screens().find<dogs::DogRecordsScreen>("Form4");
    QTRY_VERIFY(records && records->isLoaded());
    focusOn(records->findChild<QLineEdit *>("colour"));
    pressKey(Qt::Key_End);
    typeKeys(" & Tan");
    auto *name = records->findChild<QLineEdit *>("name");
    focusOn(name);
    name->selectAll();
    typeKeys("Rex JW");
    QTest::mouseClick(records->findChild<QPushButton *>("historyButton"), Qt::LeftButton);
    auto *history = app.window.findChild<ui::RecordHistory *>("RecordHistory");
    QTRY_VERIFY(history && history->isVisible());
    QCOMPARE(history->windowTitle(), "History of Rex JW");
    auto *table = history->findChild<QTableWidget *>("historyTable");
    QStringList rows;
    for (int row = 0; row < table->rowCount(); ++row) {
        QStringList cells;
        for (int column = 1; column < table->columnCount(); ++column)
            cells << table->item(row, column)->text();
        rows << cells.join('|');
    }
    QCOMPARE(rows, QStringList({"Renamed Rex to Rex JW|Colour|Red|Red & Tan",
                                "Renamed Rex to Rex JW|Name|Rex|Rex JW"}));
    QVERIFY(table->item(0, 0)->text().startsWith(core::datetext::shortDate(QDate::currentDate())));
    pressKey(Qt::Key_Escape);
    QTRY_VERIFY(!app.window.findChild<ui::RecordHistory *>("RecordHistory"));
}

void AppTest::checkPedigreesOpensTheMergeOnLikelyDuplicates()
{
    Kennel kennel;
    kennelWithRex(kennel);
    addDog(kennel.db(), {{"name", "Bella"}, {"Microchip", "985 112"}});
    addDog(kennel.db(), {{"name", "Bella of Ærø"}, {"Microchip", "985112"}});
    MessageRecorder messages;
    messages.answers = {true};
    Started app;
    triggerMenuItem(app.window, "geneticsMenu", "Check Pedigrees");
    auto *checks = app.window.screens().find<app::ReportPreview>("CheckPedigrees");
    QTRY_VERIFY(checks && checks->isLoaded());
    QTest::mouseClick(checks->findChild<QPushButton *>("merge"), Qt::LeftButton);
    auto *merge = app.window.screens().find<dogs::MergeDogsScreen>("MergeDogs");
    QTRY_VERIFY(merge && merge->isLoaded());
    // cppcheck-suppress nullPointerRedundantCheck ; QTRY_VERIFY returns when it fails
    auto *pairs = merge->findChild<QComboBox *>("duplicateList");
    QVERIFY(pairs->isVisible());
    QStringList offered;
    for (int i = 0; i < pairs->count(); ++i)
        offered << pairs->itemText(i);
    QCOMPARE(offered, QStringList({"Rex (Dog ID 1) and REX. (Dog ID 3)",
                                   "Bella (Dog ID 4) and Bella of Ærø (Dog ID 5)"}));
    QCOMPARE(merge->findChild<ui::PickList *>("keepList")->text(), "Rex");
    QCOMPARE(merge->findChild<ui::PickList *>("mergeList")->text(), "REX.");
    QCOMPARE(merge->findChild<QRadioButton *>("take_Tattoo")->text(), "T1");
    // The frame has grown to show every field of the pair.
    QVERIFY(merge->findChild<QRadioButton *>("take_Tattoo")->isVisible());
    QVERIFY(merge->height() >= merge->sizeHint().height());
    merge->findChild<QPushButton *>("mergeButton")->click();
    QTRY_VERIFY(!app.window.screens().find<QWidget>("MergeDogs"));
    QCOMPARE(scalar(kennel.db(), "SELECT group_concat(name || ':' || coalesce(Tattoo, ''), ',') "
                                 "FROM Dogtable")
                 .toString(),
             "Rex:T1,Pup:,Bella:,Bella of Ærø:");
    QCOMPARE(
        scalar(kennel.db(), "SELECT group_concat(dogid || dogname) FROM vaccination").toString(),
        "1Rex,1Rex");
}

void AppTest::deletingAContactAsksAboutTheDogsNamingIt_data()
{
    QTest::addColumn<bool>("fromTheMenu");
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<QString>("left");
    QTest::newRow("declined") << false << QList<bool>{false}
                              << "Ann Lee,Bo|Ann Lee|ann lee|Ann Lee";
    QTest::newRow("dogs keep the name")
        << false << QList<bool>{true, false} << "Bo|Ann Lee|ann lee|Ann Lee";
    QTest::newRow("dogs cleared, from the menu")
        << true << QList<bool>{true, true} << "Bo|||Ann Lee";
}

void AppTest::deletingAContactAsksAboutTheDogsNamingIt()
{
    QFETCH(bool, fromTheMenu);
    QFETCH(QList<bool>, answers);
    QFETCH(QString, left);
    Kennel kennel;
    exec(kennel.db(), "INSERT INTO contacts (last) VALUES ('Ann Lee'), ('Bo')");
    addDog(kennel.db(), {{"name", "Rex"}, {"ownerid", "Ann Lee"}, {"breeder", "ann lee"}});
    exec(kennel.report(), "INSERT INTO sales (dogsold, soldto) VALUES ('Rex', 'Ann Lee')");
    MessageRecorder messages;
    messages.answers = answers;
    Started app;
    app.window.choose("Browse / Edit Contacts");
    auto *screen = app.window.screens().find<contacts::ContactsScreen>("Form29");
    QTRY_VERIFY(screen && screen->isLoaded());
    if (fromTheMenu) {
        for (QAction *action : app.window.findChild<QMenu *>("contactsMenu")->actions()) {
            if (action->text().remove('&') == "Delete Contact...")
                action->trigger();
        }
        auto *chooser = app.window.screens().find<contacts::DeleteContactScreen>("DeleteContact");
        QTRY_VERIFY(chooser && chooser->isLoaded());
        chooser->list()->setText("Ann Lee");
        chooser->findChild<QPushButton *>("ok")->click();
    } else {
        screen->findChild<QPushButton *>("deleteButton")->click();
    }
    QCOMPARE(messages.texts.value(0), "Delete Ann Lee? The name is in 3 other records (1 dog "
                                      "owned, 1 dog bred, 1 sale).");
    const QString found =
        scalar(kennel.db(), "SELECT (SELECT group_concat(last) FROM contacts) || '|' || ownerid "
                            "|| '|' || breeder || '|' || (SELECT soldto FROM report.sales) FROM "
                            "Dogtable")
            .toString();
    QCOMPARE(found, left);
    QCOMPARE(screen->findChild<QLineEdit *>("last")->text(), answers.value(0) ? "Bo" : "Ann Lee");
}

void AppTest::findContactOpensTheFoundContactsScreen()
{
    Kennel kennel;
    MessageRecorder messages;
    exec(kennel.db(), "INSERT INTO contacts (last) VALUES ('Al'), ('Bo')");
    Started app;
    app.window.choose("View / Edit Contacts");
    auto *find = app.window.screens().find<ui::ChooserScreen>("Form17");
    QTRY_VERIFY(find->isLoaded());
    find->list()->setText("Bo");
    find->findChild<QPushButton *>("ok")->click();
    auto *found = app.window.screens().find<contacts::ContactsScreen>("Form18");
    QTRY_VERIFY(found && found->isLoaded());
    QCOMPARE(found->findChild<QLineEdit *>("last")->text(), "Bo");
    QTRY_VERIFY(!app.window.screens().find<QWidget>("Form17"));
}

void AppTest::aDogLeftOnTheVaccinationScreenIsNotWhatOthersOpenOn()
{
    Kennel kennel;
    MessageRecorder messages;
    addDog(kennel.db(), {{"name", "Rex"}});
    addDog(kennel.db(), {{"name", "Bella"}});
    exec(kennel.db(), "INSERT INTO contacts (last) VALUES ('Al'), ('Bo')");
    Started app;
    app.window.choose("Enter a Vaccination");
    auto *vaccination = app.window.screens().find<ui::Screen>("Form8");
    QTRY_VERIFY(vaccination->isLoaded());
    auto *dog = vaccination->findChild<ui::PickList *>();
    dog->lineEdit()->setFocus();
    dog->lineEdit()->selectAll();
    QTest::keyClicks(dog->lineEdit(), "Rex");

    // Each chooser is typed into and left with Enter while the vaccination's list keeps "Rex".
    auto choose = [&](const char *caption, const char *chooser, const QString &name) {
        app.window.choose(caption);
        auto *screen = app.window.screens().find<ui::ChooserScreen>(chooser);
        QTRY_VERIFY(screen->isLoaded());
        QLineEdit *typed = screen->list()->lineEdit();
        typed->setFocus();
        typed->selectAll();
        QTest::keyClicks(typed, name);
        QTest::keyClick(typed, Qt::Key_Return);
    };
    choose("View / Edit Contacts", "Form17", "Bo");
    auto *contact = app.window.screens().find<contacts::ContactsScreen>("Form18");
    QTRY_VERIFY(contact && contact->isLoaded());
    QCOMPARE(contact->findChild<QLineEdit *>("last")->text(), "Bo");
    choose("Find / Update Dog ", "FindDogRecord", "Bella");
    auto *records = app.window.screens().find<dogs::DogRecordsScreen>("Form4");
    QTRY_VERIFY(records && records->isLoaded());
    QCOMPARE(records->findChild<QLineEdit *>("name")->text(), "Bella");
    QVERIFY(messages.texts.isEmpty());
}

void AppTest::setupShowsAndSavesTheSetupRow()
{
    Kennel kennel;
    exec(kennel.db(), "UPDATE setup SET Kennelname = 'Kirkwood', Name = 'Ann Lee'");
    app::SetupScreen screen;
    screen.show();
    QTRY_VERIFY(screen.isLoaded());
    QCOMPARE(screen.windowTitle(), "Setup Information");
    QCOMPARE(screen.findChild<QLineEdit *>("Kennelname")->text(), "Kirkwood");
    const QStringList countries = screen.findChild<ui::PickList *>("country")->entries();
    QCOMPARE(countries.at(countries.indexOf("China") + 1), "HK China (Hong Kong S.A.R.)");
    QVERIFY(!countries.contains("United States of America"));
    QCOMPARE(countries.last(), "Zimbabwe");
    QCOMPARE(countries.at(countries.size() - 2), "Zambia");
    screen.findChild<QLineEdit *>("Name")->setText("Ann O'Neill-Łoś");
    screen.findChild<ui::PickList *>("country")->setText("Wales");
    QVERIFY(screen.close());
    QCOMPARE(scalar(kennel.db(), "SELECT Name || '|' || country || '|' || Kennelname FROM setup")
                 .toString(),
             "Ann O'Neill-Łoś|Wales|Kirkwood");
}

void AppTest::setupClosedUnchangedWritesNothing()
{
    Kennel kennel;
    app::SetupScreen screen;
    screen.show();
    QTRY_VERIFY(screen.isLoaded());
    QVERIFY(screen.close());
    QCOMPARE(
        scalar(kennel.db(), "SELECT count(*) FROM setup WHERE Name IS NULL AND country IS NULL")
            .toInt(),
        1);
}

void AppTest::setupAddsAMissingRow()
{
    Kennel kennel;
    exec(kennel.db(), "DELETE FROM setup");
    app::SetupScreen screen;
    screen.show();
    QTRY_VERIFY(screen.isLoaded());
    QVERIFY(screen.findChild<QLineEdit *>("Name")->isEnabled());
    screen.findChild<QLineEdit *>("Name")->setText("Ann");
    QVERIFY(screen.close());
    QCOMPARE(scalar(kennel.db(), "SELECT group_concat(Name) FROM setup").toString(), "Ann");
}

void AppTest::pedigreeScreensShowEachNewBuild()
{
    Kennel kennel;
    MessageRecorder messages;
    addDog(kennel.db(), {{"name", "Rex"}, {"sire", "Max"}});
    addDog(kennel.db(), {{"name", "Bella"}, {"sire", "Zeus"}});
    Started app;
    auto view = [&](const QString &dog) {
        app.window.choose("View a Pedigree");
        auto *chooser = app.window.screens().find<pedigree::ViewPedigreeScreen>("Form24");
        QTRY_VERIFY(chooser->isLoaded());
        chooser->list()->setText(dog);
        chooser->findChild<QPushButton *>("view3")->click();
    };
    view("Rex");
    auto *onScreen = app.window.screens().find<pedigree::Pedigree3Screen>("Form5");
    QTRY_VERIFY(onScreen && onScreen->isLoaded());
    QCOMPARE(onScreen->boxText("1s1"), "Max");
    onScreen->findChild<QPushButton *>("print")->click();
    auto *preview = app.window.screens().find<app::ReportPreview>("DataReport1");
    QTRY_VERIFY(preview && preview->isLoaded());
    QCOMPARE(preview->windowTitle(), "3 Generation Pedigree");
    QVERIFY(preview->shownPage().find(0, "Max"));

    view("Bella");
    QCOMPARE(app.window.screens().find<pedigree::Pedigree3Screen>("Form5"), onScreen);
    QCOMPARE(onScreen->boxText("1s1"), "Zeus");
    onScreen->findChild<QPushButton *>("print")->click();
    QVERIFY(preview->shownPage().find(0, "Zeus"));
    QVERIFY(!preview->shownPage().find(0, "Max"));
}

void AppTest::escapeClosesAScreen()
{
    Kennel kennel;
    MessageRecorder messages;
    Started app;
    app.window.choose("Add Dog Records");
    QWidget *screen = app.window.screens().find("AddDogRecords");
    QVERIFY(screen);
    QTest::keyClick(screen->findChild<QLineEdit *>("number"), Qt::Key_Escape);
    QTRY_VERIFY(!app.window.screens().find("AddDogRecords"));
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM Dogtable").toInt(), 0);
}

void AppTest::noTwoShortcutsShareAKey()
{
    Kennel kennel;
    MessageRecorder messages;
    Started app;
    app.window.choose("Setup");
    openEverySubsystemScreen(app.window);
    // Two bindings of one key make Qt's shortcut map ambiguous, and then neither fires:
    // disabled ones count too, as they may be enabled later.
    QMultiHash<QKeySequence, QString> bound;
    for (QAction *action : app.window.findChildren<QAction *>()) {
        for (const QKeySequence &keys : action->shortcuts())
            bound.insert(keys, action->text());
    }
    for (QShortcut *shortcut : app.window.findChildren<QShortcut *>()) {
        for (const QKeySequence &keys : shortcut->keys())
            bound.insert(keys, shortcut->objectName());
    }
    for (const QKeySequence &keys : bound.uniqueKeys())
        QVERIFY2(bound.count(keys) == 1,
                 qPrintable(keys.toString() + ": " + bound.values(keys).join(", ")));
    QCOMPARE(bound.value(QKeySequence(Qt::CTRL | Qt::Key_F4)), "Cl&ose");
    QCOMPARE(bound.value(QKeySequence(Qt::CTRL | Qt::Key_W)), "Cl&ose");
    QCOMPARE(bound.value(QKeySequence(Qt::Key_F1)), "Help");
}

void AppTest::closeKeysCloseTheActiveScreen_data()
{
    QTest::addColumn<QKeyCombination>("keys");
    QTest::newRow("Escape") << QKeyCombination(Qt::Key_Escape);
    QTest::newRow("Ctrl+W") << QKeyCombination(Qt::ControlModifier, Qt::Key_W);
    QTest::newRow("Ctrl+F4") << QKeyCombination(Qt::ControlModifier, Qt::Key_F4);
}

void AppTest::closeKeysCloseTheActiveScreen()
{
    QFETCH(QKeyCombination, keys);
    Kennel kennel;
    MessageRecorder messages;
    Started app;
    app.window.choose("Setup");
    app.window.choose("Add Dog Records");
    QWidget *adding = app.window.screens().find("AddDogRecords");
    focusOn(adding->findChild<QLineEdit *>("number"));
    // Through the window, as the windowing system hands a key over: the shortcut map first.
    pressKey(keys.key(), keys.keyboardModifiers());
    QTRY_VERIFY(!app.window.screens().find("AddDogRecords"));
    // The focus goes back to the screen beneath, not to the main menu.
    QWidget *setup = app.window.screens().find("SetupInformation");
    QTRY_COMPARE(app.window.findChild<QMdiArea *>()->activeSubWindow()->widget(), setup);
    QTRY_VERIFY(setup->isAncestorOf(QApplication::focusWidget()));
    QVERIFY(app.window.mainMenu()->isVisible());
    // The screen beneath closes the same way, its changes kept.
    auto *name = setup->findChild<QLineEdit *>("Name");
    focusOn(name);
    typeKeys("Zoë O'Hara");
    QTest::keyClick(app.window.windowHandle(), keys.key(), keys.keyboardModifiers());
    QTRY_VERIFY(!app.window.screens().find("SetupInformation"));
    QCOMPARE(scalar(kennel.db(), "SELECT Name FROM setup").toString(), "Zoë O'Hara");
}

void AppTest::everyInputHasAnAccessibleName()
{
    Kennel kennel;
    MessageRecorder messages;
    addDog(kennel.db(), {{"name", "Rex"}, {"sex", "Male"}});
    Started app;
    for (const app::MainMenu::Group &group : app::MainMenu::groups()) {
        for (const app::MainMenu::Button &button : group.buttons) {
            if (button.item != app::MenuItem::Exit && button.item != app::MenuItem::About)
                app.window.choose(button.item);
        }
    }
    QTest::qWait(50);
    QStringList unnamed;
    for (QMdiSubWindow *frame : app.window.findChild<QMdiArea *>()->subWindowList()) {
        for (QWidget *input : frame->widget()->findChildren<QWidget *>()) {
            const bool isInput = qobject_cast<QLineEdit *>(input) || input->inherits("QComboBox") ||
                                 input->inherits("QPlainTextEdit") ||
                                 // the boxes' own popup lists have no name of ours
                                 (input->inherits("QListView") && !input->objectName().isEmpty());
            if (!isInput || input->parentWidget()->inherits("QComboBox"))
                continue;
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(input);
            if (accessible->text(QAccessible::Name).trimmed().isEmpty())
                unnamed << frame->widget()->objectName() + "/" + input->objectName();
        }
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
}

void AppTest::startupListsOpenInFrontOfTheMenu()
{
    Kennel kennel;
    MessageRecorder messages;
    messages.answers = {true};
    core::Clock::setToday(QDate(2026, 12, 1));
    Started app;
    QWidget *lists = app.window.screens().find("Form31");
    QVERIFY(lists);
    QCOMPARE(app.window.findChild<QMdiArea *>()->activeSubWindow()->widget(), lists);
    QCOMPARE(
        app.window.findChild<QMdiArea *>()->subWindowList(QMdiArea::StackingOrder).last()->widget(),
        lists);
}

void AppTest::f1OpensTheGuideOnTheScreensPage_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("title");
    QTest::newRow("main menu") << ""
                               << "MainMenu"
                               << "Getting started";
    QTest::newRow("setup") << "Setup"
                           << "SetupInformation"
                           << "Setup and local settings";
    QTest::newRow("dog records") << "Browse / Update Dogs"
                                 << "Form4"
                                 << "Dog records";
    QTest::newRow("add dogs") << "Add Dog Records"
                              << "AddDogRecords"
                              << "Dog records";
    QTest::newRow("a pedigree") << "View a Pedigree"
                                << "Form24"
                                << "Pedigrees and certificates";
    QTest::newRow("possible mating") << "View Possible Mating"
                                     << "Form23"
                                     << "Pedigrees and certificates";
    QTest::newRow("mating") << "Enter a Mating"
                            << "Form20"
                            << "Matings and litters";
    QTest::newRow("litter") << "Enter a Litter"
                            << "Form19"
                            << "Matings and litters";
    QTest::newRow("vaccination") << "Enter a Vaccination"
                                 << "Form8"
                                 << "Vaccinations, notes and health tests";
    QTest::newRow("notes") << "Enter Dog Notes"
                           << "Form6"
                           << "Vaccinations, notes and health tests";
    QTest::newRow("birthdays") << "List Birthdays "
                               << "Form15"
                               << "Monthly lists";
    QTest::newRow("contact") << "Add a Contact"
                             << "Form28"
                             << "Contacts";
    QTest::newRow("browse contacts") << "Browse / Edit Contacts"
                                     << "Form29"
                                     << "Contacts";
    QTest::newRow("sale") << "Sell a Dog"
                          << "Form10"
                          << "Selling a dog";
}

// F1 where the user is, as the key meets the window's shortcuts.
void AppTest::f1OpensTheGuideOnTheScreensPage()
{
    QFETCH(QString, button);
    QFETCH(QString, screen);
    QFETCH(QString, title);
    Kennel kennel;
    MessageRecorder messages;
    exec(kennel.db(), "UPDATE setup SET Name = 'Ann Breeder'");
    Started app;
    if (!button.isEmpty())
        app.window.mainMenu()->button(button)->click();
    QWidget *shown = app.window.screens().find(screen);
    QVERIFY(shown);
    QTRY_VERIFY(shown->isActiveWindow());
    ui::ScreenHost::focusFirstField(shown);
    pressKey(Qt::Key_F1);
    auto *guide = app.window.screens().find<app::HelpScreen>("HelpScreen");
    QVERIFY(guide);
    auto *page = guide->findChild<QTextBrowser *>("page");
    QCOMPARE(page->documentTitle().isEmpty() ? page->toPlainText().section('\n', 0, 0)
                                             : page->documentTitle(),
             title);
    QCOMPARE(guide->findChild<QListWidget *>("pages")->currentItem()->text(), title);
    QCOMPARE(messages.texts, QStringList());
}

void AppTest::everyGuidePageAndPictureIsThere()
{
    static const QRegularExpression link(R"(\]\(([^)]+)\))");
    const QList<app::guide::Page> pages = app::guide::pages();
    QCOMPARE(pages.size(), 13);
    for (const app::guide::Page &page : pages) {
        QFile file(app::guide::fileOf(page.name));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        QVERIFY2(page.title != page.name, qPrintable(page.name + " has no title"));
        const QString text = QString::fromUtf8(file.readAll());
        for (auto match = link.globalMatch(text); match.hasNext();) {
            const QString target = match.next().captured(1);
            QVERIFY2(QFileInfo::exists(QDir(app::guide::folder()).filePath(target)),
                     qPrintable(page.name + " links to " + target));
        }
    }
}

void AppTest::guideSearchListsThePagesWithTheWords()
{
    Kennel kennel;
    MessageRecorder messages;
    Started app;
    app::HelpScreen *guide = openGuide(app);
    QVERIFY(guide);
    auto *pages = guide->findChild<QListWidget *>("pages");
    const auto shownPages = [pages] {
        QStringList shown;
        for (int i = 0; i < pages->count(); ++i) {
            if (!pages->item(i)->isHidden())
                shown << pages->item(i)->text();
        }
        return shown;
    };
    focusOn(guide->findChild<QLineEdit *>("search"));
    typeKeys("inbreeding STUD");
    QCOMPARE(shownPages(), QStringList({"Matings and litters", "Genetics in plain words"}));
    QCOMPARE(guide->page(), "breeding");
    typeKeys("zzz");
    QCOMPARE(shownPages(), QStringList());
    pressKey(Qt::Key_A, Qt::ControlModifier);
    pressKey(Qt::Key_Delete);
    QCOMPARE(shownPages().size(), 13);
    QCOMPARE(messages.texts, QStringList());
}

void AppTest::aMissingGuidePageIsSaid()
{
    Kennel kennel;
    MessageRecorder messages;
    Started app;
    app::HelpScreen *guide = openGuide(app);
    QVERIFY(guide);
    QVERIFY(!guide->showPage("kennel-club"));
    QCOMPARE(messages.texts, QStringList("The guide's page \"kennel-club\" is missing from " +
                                         QDir::toNativeSeparators(app::guide::folder()) +
                                         ". Installing Houndry again puts it back."));
    // The page shown stays.
    QCOMPARE(guide->page(), "index");
}

void AppTest::enterOnAMainMenuButtonPressesIt()
{
    Kennel kennel;
    MessageRecorder messages;
    Started app;
    focusOn(app.window.mainMenu()->button("Help"));
    pressKey(Qt::Key_Return);
    QVERIFY(app.window.screens().find("HelpScreen"));
}

void AppTest::geneticsMenuOpensItsScreenAndReports()
{
    Kennel kennel;
    MessageRecorder messages;
    addDog(kennel.db(), {{"name", "Rex"}, {"sex", "Male"}});
    Started app;
    auto *menu = app.window.findChild<QMenu *>("geneticsMenu");
    QCOMPARE(menu->title(), "&Genetics");
    QStringList items;
    for (QAction *action : menu->actions())
        items << action->text();
    QCOMPARE(items, QStringList({"&Inbreeding and Trial Matings...", "&Check Pedigrees",
                                 "Inbreeding of &Every Dog", "&Population Genetics...",
                                 "&Mating Matrix..."}));
    menu->actions()[0]->trigger();
    auto *screen = app.window.screens().find<inbreeding::GeneticsScreen>("Genetics");
    QTRY_VERIFY(screen && screen->isLoaded());
    QCOMPARE(app.window.findChild<QMdiArea *>()->activeSubWindow()->widget(), screen);
    for (const auto &[item, name] :
         {std::pair{1, "CheckPedigrees"}, std::pair{2, "InbreedingOfEveryDog"}}) {
        menu->actions()[item]->trigger();
        QTRY_VERIFY(app.window.screens().find<QWidget>(name));
    }
    QVERIFY(messages.texts.isEmpty());
}

void AppTest::menuBarReachesEveryScreen()
{
    Kennel kennel;
    MessageRecorder messages;
    Started app;
    QStringList titles;
    for (QAction *menu : app.window.menuBar()->actions())
        titles << menu->text();
    QCOMPARE(titles, QStringList({"&File", "&Edit", "&Dogs", "&Breeding", "&Health", "&Contacts",
                                  "&Reports", "&Genetics", "&Money", "&Window", "&Help"}));
    auto items = [&](const char *menu) {
        QStringList texts;
        for (QAction *action : app.window.findChild<QMenu *>(menu)->actions())
            texts << action->text();
        return texts;
    };
    QCOMPARE(items("dogsMenu"),
             QStringList({"&Add Dog Records", "&Browse / Update Dogs", "&Find / Update Dog ",
                          "&View a Pedigree", "&Sell a Dog", "&List Birthdays ", "D&elete Dog...",
                          "&Merge Dogs...", "", "All &Dogs"}));
    QCOMPARE(items("helpMenu"), QStringList({"Help", "About "}));
    QCOMPARE(items("moneyMenu"),
             QStringList({"&Accounts...", "&Year Accounts", "&Litter Accounts", "",
                          "&Contracts of Sale...", "Contract &Template..."}));
    QCOMPARE(items("editMenu"), QStringList({"&Undo"}));
    // Every main menu button but Exit and About has its menu item.
    QStringList inMenus;
    for (const char *menu : {"fileMenu", "dogsMenu", "breedingMenu", "healthMenu", "contactsMenu",
                             "reportsMenu", "helpMenu"})
        for (QString text : items(menu))
            inMenus << text.remove('&');
    for (const app::MainMenu::Group &group : app::MainMenu::groups())
        for (const app::MainMenu::Button &button : group.buttons)
            QVERIFY2(inMenus.contains(button.caption) || button.item == app::MenuItem::Exit,
                     qPrintable(button.caption));
    app.window.findChild<QMenu *>("contactsMenu")->actions()[0]->trigger();
    QTRY_COMPARE(app.window.findChild<QMdiArea *>()->activeSubWindow()->widget()->windowTitle(),
                 "Enter a New Contact");
}

void AppTest::mainMenuIsNeverBuriedOrStuck()
{
    Kennel kennel;
    MessageRecorder messages;
    addDog(kennel.db(), {{"name", "Rex"}});
    Started app;
    auto *area = app.window.findChild<QMdiArea *>();
    app.window.choose("Browse / Update Dogs");
    QTRY_VERIFY(area->activeSubWindow()->widget()->objectName() == "Form4");
    area->activeSubWindow()->showMaximized();
    focusOn(area->activeSubWindow()->widget());
    pressKey(Qt::Key_M, Qt::ControlModifier);
    QTRY_COMPARE(area->activeSubWindow()->widget(), app.window.mainMenu());
    QVERIFY(!area->activeSubWindow()->isMaximized());

    auto *window = app.window.findChild<QMenu *>("windowMenu");
    QStringList texts;
    Q_EMIT window->aboutToShow();
    for (QAction *action : window->actions())
        texts << action->text();
    QCOMPARE(texts.mid(0, 6), QStringList({"&Tile", "&Cascade", "Ta&bbed View", "Cl&ose",
                                           "Close &All", "&Main Menu"}));
    QVERIFY(texts.contains("&2 Pawmark Houndry - Dog Records"));
    window->actions()[2]->trigger();
    QCOMPARE(area->viewMode(), QMdiArea::TabbedView);
    window->actions()[2]->trigger();
    window->actions()[4]->trigger();
    QTRY_COMPARE(area->subWindowList().size(), 1);
    QCOMPARE(area->subWindowList()[0]->widget(), app.window.mainMenu());
}

void AppTest::statusBarShowsTheKennel()
{
    Kennel kennel;
    MessageRecorder messages;
    core::Clock::setToday(QDate(2026, 12, 8));
    addDog(kennel.db(), {{"name", "Rex"}, {"dob", "2020-12-01"}});
    const qint64 bella =
        addDog(kennel.db(), {{"name", "Bella"}, {"dob", "2021-12-20"}, {"sex", "Female"}});
    exec(kennel.db(), "INSERT INTO vaccination (dogname, due) VALUES ('Rex', '2026-12-24')");
    for (const char *day : {"2025-06-05", "2025-12-05", "2026-06-05"})
        exec(kennel.db(), QStringLiteral("INSERT INTO seasons (dogid, firstday) VALUES (%1, '%2')")
                              .arg(bella)
                              .arg(QLatin1String(day)));
    Started app;
    QCOMPARE(app.window.findChild<QLabel *>("kennelFolder")->text(),
             QDir::toNativeSeparators(kennel.path()));
    // Counted on a thread of its own, and shown once counted.
    QTRY_COMPARE(app.window.findChild<QLabel *>("kennelCounts")->text(), "2 dogs, 0 contacts");
    auto *due = app.window.findChild<QPushButton *>("dueThisMonth");
    QTRY_COMPARE(due->text(),
                 "1 vaccination, 0 litters, 2 birthdays due, 1 season expected this month");
    due->click();
    QTRY_VERIFY(app.window.findChild<QMdiArea *>()->activeSubWindow()->widget()->objectName() !=
                app.window.mainMenu()->objectName());
    QCOMPARE(app.window.windowTitle(), "Pawmark Houndry");
}

void AppTest::allDogsSearchesSortsAndOpensThatRow()
{
    Kennel kennel;
    MessageRecorder messages;
    addDog(kennel.db(), {{"name", "Twin"}, {"colour", "Red"}, {"dob", "2021-05-01"}});
    addDog(kennel.db(), {{"name", "ÉLAN 100%_"}, {"sire", "Twin"}, {"dob", "2019-01-02"}});
    addDog(kennel.db(), {{"name", "Twin"}, {"colour", "Black \"Dot\""}, {"dob", "2020-03-04"}});
    Started app;
    // Closed at once, while its search text is still being read.
    for (int i = 0; i < 5; ++i) {
        app.window.findChild<QMenu *>("dogsMenu")->actions().last()->trigger();
        auto *opened = app.window.screens().find<ui::TableScreen>("AllDogs");
        QTRY_VERIFY(opened && opened->isLoaded());
        opened->closeScreen();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    app.window.findChild<QMenu *>("dogsMenu")->actions().last()->trigger();
    auto *screen = app.window.screens().find<ui::TableScreen>("AllDogs");
    QTRY_VERIFY(screen && screen->isLoaded());
    QCOMPARE(screen->countText(), "3 of 3 dogs");
    auto *table = screen->findChild<QTableView *>("table");
    QAbstractItemModel *model = table->model();
    QCOMPARE(model->headerData(9, Qt::Horizontal).toString(), "COI");
    // Worked out on a thread of its own, then shown.
    QTRY_COMPARE(model->index(0, 9).data().toString(), "0.00%");
    QCOMPARE(model->index(2, 0).data().toString(), "ÉLAN 100%_");
    focusOn(screen->findChild<QLineEdit *>("search"));
    for (const auto &[typed, count] :
         {std::pair{"élan", "1 of 3 dogs"}, std::pair{"elan 1", "1 of 3 dogs"},
          std::pair{"LAN", "1 of 3 dogs"}, std::pair{"%_", "1 of 3 dogs"},
          std::pair{"\"dot", "1 of 3 dogs"}, std::pair{"twin", "3 of 3 dogs"},
          std::pair{"nobody", "0 of 3 dogs"}}) {
        pressKey(Qt::Key_A, Qt::ControlModifier);
        typeKeys(typed);
        QTRY_COMPARE(screen->countText(), QString(count));
    }
    pressKey(Qt::Key_A, Qt::ControlModifier);
    pressKey(Qt::Key_Backspace);
    table->sortByColumn(5, Qt::AscendingOrder);
    QTRY_COMPARE(model->index(0, 5).data().toString(), "1/2/2019");
    QCOMPARE(model->index(1, 4).data().toString(), "Black \"Dot\"");
    // The second dog named Twin, that very row.
    focusOn(table);
    table->setCurrentIndex(model->index(1, 0));
    pressKey(Qt::Key_Return);
    auto *records = app.window.screens().find<dogs::DogRecordsScreen>("Form4");
    QTRY_VERIFY(records && records->isLoaded());
    QTRY_COMPARE(records->findChild<QLineEdit *>("colour")->text(), "Black \"Dot\"");
    QVERIFY(messages.texts.isEmpty());
}

void AppTest::allDogsSortsByCoi()
{
    Kennel kennel;
    MessageRecorder messages;
    for (const auto &[name, sex, sire, dam] :
         {std::tuple{"Loop One", "Male", "Loop Two", ""}, std::tuple{"Sire", "Male", "", ""},
          std::tuple{"Dam", "Female", "", ""}, std::tuple{"Son", "Male", "Sire", "Dam"},
          std::tuple{"Daughter", "Female", "Sire", "Dam"},
          std::tuple{"Inbred", "Male", "Son", "Daughter"},
          std::tuple{"Loop Two", "Male", "Loop One", ""}})
        addDog(kennel.db(), {{"name", name}, {"sex", sex}, {"sire", sire}, {"dam", dam}});
    Started app;
    app.window.findChild<QMenu *>("dogsMenu")->actions().last()->trigger();
    auto *screen = app.window.screens().find<ui::TableScreen>("AllDogs");
    QTRY_VERIFY(screen && screen->isLoaded());
    auto *table = screen->findChild<QTableView *>("table");
    QAbstractItemModel *model = table->model();
    auto column = [model](int at) {
        QStringList shown;
        for (int row = 0; row < model->rowCount(); ++row)
            shown << model->index(row, at).data().toString();
        return shown;
    };
    table->sortByColumn(9, Qt::DescendingOrder);
    // Sorted again once the figures are worked out; dogs without one stay last.
    QTRY_COMPARE(column(0).first(), "Inbred");
    QCOMPARE(column(9),
             QStringList({"25.00%", "0.00%", "0.00%", "0.00%", "0.00%", "loop", "loop"}));
    table->sortByColumn(9, Qt::AscendingOrder);
    QCOMPARE(column(9),
             QStringList({"0.00%", "0.00%", "0.00%", "0.00%", "25.00%", "loop", "loop"}));
    QCOMPARE(column(0),
             QStringList({"Sire", "Dam", "Son", "Daughter", "Inbred", "Loop One", "Loop Two"}));

    // Down from the search goes into the rows found.
    focusOn(screen->findChild<QLineEdit *>("search"));
    typeKeys("o");
    QTRY_COMPARE(screen->countText(), "4 of 7 dogs");
    pressKey(Qt::Key_Down);
    QVERIFY(table->hasFocus());
    QCOMPARE(table->currentIndex().row(), 0);
    pressKey(Qt::Key_Down);
    pressKey(Qt::Key_Return);
    auto *records = app.window.screens().find<dogs::DogRecordsScreen>("Form4");
    QTRY_VERIFY(records && records->isLoaded());
    QTRY_COMPARE(records->findChild<QLineEdit *>("name")->text(), "Inbred");

    // The status bar follows the writes of any screen.
    QTRY_COMPARE(app.window.findChild<QLabel *>("kennelCounts")->text(), "7 dogs, 0 contacts");
    app.window.choose("Add Dog Records");
    focusOn(app.window.screens().find("AddDogRecords")->findChild<QLineEdit *>("number"));
    typeKeys("3");
    pressKey(Qt::Key_Return);
    QTRY_COMPARE(app.window.findChild<QLabel *>("kennelCounts")->text(), "10 dogs, 0 contacts");
}

void AppTest::oneCopyPerKennel()
{
    WorkingFolder folder;
    app::KennelLock first(folder.path());
    QCOMPARE(first.acquire(), app::KennelLock::Outcome::Held);
    QSignalSpy raised(&first, &app::KennelLock::raiseRequested);
    app::KennelLock second(folder.path() + "/.");
    QCOMPARE(second.acquire(), app::KennelLock::Outcome::RaisedOther);
    QTRY_COMPARE(raised.count(), 1);

    // A lock whose holder cannot be reached: said, not waited on.
    WorkingFolder other;
    QLockFile held(other.path() + "/.houndry.lock");
    QVERIFY(held.tryLock(0));
    app::KennelLock third(other.path());
    QCOMPARE(third.acquire(), app::KennelLock::Outcome::HeldElsewhere);
    QCOMPARE(third.heldMessage(),
             "The kennel in " + QDir::toNativeSeparators(QDir(other.path()).canonicalPath()) +
                 " is already open in another Houndry window. Houndry keeps one window per "
                 "kennel, so that no change is lost; please use that window.");
}

void AppTest::secondStartBringsTheFirstForward()
{
    WorkingFolder folder;
    const QString lockFile = folder.path() + "/.houndry.lock";
    auto start = [&](QProcess &copy) {
        copy.setWorkingDirectory(folder.path());
        copy.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        copy.start(HOUNDRY_PROGRAM, {});
        QVERIFY(copy.waitForStarted());
    };
    auto lockHolder = [&] {
        QFile f(lockFile);
        return f.open(QIODevice::ReadOnly) ? f.readLine().trimmed().toLongLong() : 0;
    };
    QProcess first;
    start(first);
    QTRY_COMPARE_WITH_TIMEOUT(lockHolder(), first.processId(), 30000);
    // The running copy's work is left alone by a second start (the kennel made, it is past
    // its own clearing).
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(folder.path() + "/report.ddx"), 30000);
    const QString work = folder.path() + "/.houndry-work/copy-abc123";
    QVERIFY(QDir().mkpath(work));
    // ... and so is a replacement of the files it has begun.
    const QString incoming = folder.path() + "/kennelbase.ddx.incoming";
    QFile begun(incoming);
    QVERIFY(begun.open(QIODevice::WriteOnly));
    begun.close();
    QProcess second;
    start(second);
    QVERIFY(second.waitForFinished(30000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(first.state(), QProcess::Running);
    QVERIFY(QFileInfo::exists(work));
    QVERIFY(QFileInfo::exists(incoming));

    // A copy that crashed leaves its lock and its work behind; the next start takes the lock
    // over and removes the work.
    first.kill();
    QVERIFY(first.waitForFinished());
    QVERIFY(QFile::exists(lockFile));
    QProcess third;
    start(third);
    QTRY_COMPARE_WITH_TIMEOUT(lockHolder(), third.processId(), 30000);
    QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(work), 30000);
    QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(incoming), 30000);
    QCOMPARE(third.state(), QProcess::Running);
    third.kill();
    QVERIFY(third.waitForFinished());
}

QTEST_MAIN(AppTest)
#include "tst_app.moc"
