#include "app/MainMenu.h"
#include "app/MainWindow.h"
#include "core/Clock.h"
#include "reminders/MonthLists.h"
#include "reminders/MonthListScreen.h"
#include "tests/TestSupport.h"

#include <QTest>

using namespace testing;
using namespace reminders;

namespace {

const QDate today(2026, 7, 1);
const QString vaxRule = " " + QString(74, '_') + " ";

} // namespace

class RemindersTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { core::Clock::setToday(today); }
    void cleanup() { core::Clock::useSystemDate(); }

    void vaccinationsThisMonthAndYear();
    void emptyTablesSayNothingIsDue();
    void littersOfThisMonthAndYear();
    void birthdaysOfAnyYear();
    void combinedList();
    void startupYesOpensTheCombinedListBeforeTheMenu();
};

void RemindersTest::vaccinationsThisMonthAndYear()
{
    Kennel kennel;
    exec(kennel.db(),
         "INSERT INTO vaccination (dogname, due) VALUES ('First', ''), ('Rex', '2026-07-15'), "
         "('Next Year', '2027-07-15'), ('June', '2026-06-30'), ('Rex', '2026-07-01'), "
         "('No Date', NULL)");
    QCOMPARE(vaccinationsDue(kennel.db(), today),
             QStringList({vaxRule, " ", "The following Dogs are due for Vaccination this Month !",
                          " ", "Rex    Vaccination is Due  7/15/2026",
                          "Rex    Vaccination is Due  7/1/2026"}));
}

void RemindersTest::emptyTablesSayNothingIsDue()
{
    Kennel kennel;
    QCOMPARE(vaccinationsDue(kennel.db(), today),
             QStringList({vaxRule, " ", "There are no Vaccinations Due this Month ! "}));
    QCOMPARE(littersDue(kennel.db(), today, LitterForm::Single),
             QStringList({" There are no Litters Due this Month"}));
    QVERIFY(littersDue(kennel.db(), today, LitterForm::Combined).isEmpty());
    QCOMPARE(birthdays(kennel.db(), today), QStringList({"There are No Birthdays This Month?"}));
}

void RemindersTest::littersOfThisMonthAndYear()
{
    Kennel kennel;
    exec(kennel.db(),
         "INSERT INTO mating (dgname1, dgname2, datedue) VALUES ('Max', 'Bella', '2025-07-20'), "
         "('Rex', 'Daisy', '2026-08-01'), ('Zeus', 'Hera', '2026-07-02'), ('A', 'B', '')");
    // The litter of July last year was born long ago.
    const QStringList expected{" ",
                               " The Following Litters are Expected this Month",
                               QString(65, '_') + " ",
                               "Zeus and Hera",
                               "are expecting a Litter on 7/2/2026",
                               " "};
    QCOMPARE(littersDue(kennel.db(), today, LitterForm::Single), expected);
    QCOMPARE(littersDue(kennel.db(), today, LitterForm::Combined), expected);
}

void RemindersTest::birthdaysOfAnyYear()
{
    Kennel kennel;
    addDog(kennel.db(), {{"name", "Old Rex"}, {"dob", "1998-07-12"}, {"dod", "2010-01-01"}});
    addDog(kennel.db(), {{"name", "Pup"}, {"dob", "2026-07-01"}});
    addDog(kennel.db(), {{"name", "August"}, {"dob", "2020-08-07"}});
    addDog(kennel.db(), {{"name", "Unknown"}});
    QCOMPARE(birthdays(kennel.db(), today),
             QStringList({"The Following Dogs Have a Birthday This Month ", " ",
                          "7/12/1998    Old Rex", "7/1/2026    Pup"}));
}

void RemindersTest::combinedList()
{
    Kennel kennel;
    MonthListScreen screen(MonthListScreen::Kind::All);
    screen.show();
    QTRY_VERIFY(screen.isLoaded());
    QCOMPARE(screen.objectName(), "Form31");
    QCOMPARE(screen.windowTitle(), "All Due This Month ");
    QCOMPARE(screen.lines(), QStringList({"There are No Birthdays This Month?", vaxRule, " ",
                                          "There are no Vaccinations Due this Month ! "}));
}

void RemindersTest::startupYesOpensTheCombinedListBeforeTheMenu()
{
    Kennel kennel;
    MessageRecorder messages;
    messages.answers = {true};
    app::MainWindow window;
    window.show();
    QTRY_VERIFY(window.mainMenu());
    QCOMPARE(messages.texts.size(), 1);
    auto *list = window.screens().find<MonthListScreen>("Form31");
    QVERIFY(list);
    QTRY_VERIFY(list->isLoaded());
    QCOMPARE(list->lines().first(), "There are No Birthdays This Month?");
}

QTEST_MAIN(RemindersTest)
#include "tst_reminders.moc"
