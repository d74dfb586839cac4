#include "app/LocalSettings.h"
#include "app/MainMenu.h"
#include "app/MainWindow.h"
#include "app/SetupScreen.h"
#include "breeding/LitterScreen.h"
#include "breeding/MatingEntryScreen.h"
#include "core/DateText.h"
#include "core/Money.h"
#include "core/Units.h"
#include "db/DatabaseFiles.h"
#include "dogs/DogRecordsScreen.h"
#include "health/VaccinationScreen.h"
#include "report/ReportLayout.h"
#include "tests/TestSupport.h"
#include "ui/PickList.h"
#include "ui/ScreenHost.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace testing;
using core::datetext::Order;

Q_DECLARE_METATYPE(core::datetext::Order)

namespace {

struct Started
{
    Started()
    {
        window.show();
        QTRY_VERIFY(window.mainMenu() != nullptr);
    }
    template <class Screen> Screen *open(const QString &button)
    {
        window.mainMenu()->button(button)->click();
        auto *screen = window.screens().find<Screen>(Screen::screenName());
        // Null when it did not open or load.
        if (!screen || !QTest::qWaitFor([screen] { return screen->isLoaded(); }))
            return nullptr;
        return screen;
    }
    app::MainWindow window;
};

QString storedOrder(const QSqlDatabase &kennel)
{
    return scalar(kennel, "SELECT value FROM preferences WHERE name = 'date order'").toString();
}

// Picks an entry of a local setting on the setup screen with the keyboard, as a breeder would.
void chooseEntry(Started &app, const char *setting, int entry)
{
    auto *setup = app.open<app::SetupScreen>("Setup");
    QVERIFY(setup);
    auto *list = setup->findChild<QComboBox *>(setting);
    focusOn(list);
    for (int steps = entry - list->currentIndex(); steps != 0; steps -= steps > 0 ? 1 : -1)
        pressKey(steps > 0 ? Qt::Key_Down : Qt::Key_Up);
}

void chooseOrder(Started &app, Order order)
{
    chooseEntry(app, "dateOrder", int(order));
}

} // namespace

class LocalSettingsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup()
    {
        core::datetext::setOrder(Order::MonthDayYear);
        core::units::setWeight(core::units::systemWeight());
        report::setPaper(report::Paper::System);
        core::money::setCurrency({});
    }
    void dateBoxesFollowTheChosenOrder_data();
    void dateBoxesFollowTheChosenOrder();
    void changingTheOrderWaitsForTheOtherScreens();
    void paperAndWeightsAreKeptAndTakenUp();
    void currencyIsChosenOnTheSetupScreen();
    void settingsTravelWithTheKennel();
};

void LocalSettingsTest::dateBoxesFollowTheChosenOrder_data()
{
    QTest::addColumn<Order>("order");
    QTest::addColumn<QString>("typed"); // 3 April 2021
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("due"); // 63 days after
    QTest::newRow("month/day/year") << Order::MonthDayYear << "04/03/2021"
                                    << "4/3/2021"
                                    << "MM/DD/YY"
                                    << " 6/ 5/ 2021";
    QTest::newRow("day/month/year") << Order::DayMonthYear << "03/04/2021"
                                    << "3/4/2021"
                                    << "DD/MM/YY"
                                    << "5/6/2021";
    QTest::newRow("year-month-day") << Order::YearMonthDay << "2021/4/3"
                                    << "2021-04-03"
                                    << "YYYY-MM-DD"
                                    << "2021-06-05";
}

// Each kind of date box: a bound record field, a typed date with the date worked out from
// it, and a hint left in a box.
void LocalSettingsTest::dateBoxesFollowTheChosenOrder()
{
    QFETCH(Order, order);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, hint);
    QFETCH(QString, due);
    Kennel kennel;
    MessageRecorder messages;
    addDog(kennel.db(), {{"name", "Max"}, {"sex", "Male"}, {"dob", "2020-01-02"}});
    addDog(kennel.db(), {{"name", "Bella"}, {"sex", "Female"}});
    Started app;
    chooseOrder(app, order);
    QCOMPARE(messages.texts, QStringList());
    QCOMPARE(core::datetext::order(), order);
    if (order != Order::MonthDayYear)
        QCOMPARE(storedOrder(kennel.db()), core::datetext::orderName(order));

    auto *records = app.open<dogs::DogRecordsScreen>("Browse / Update Dogs");
    QVERIFY(records);
    auto *dob = records->findChild<QLineEdit *>("dob");
    QCOMPARE(dob->placeholderText(), hint);
    QCOMPARE(dob->text(), core::datetext::shortDate(QDate(2020, 1, 2)));
    focusOn(dob);
    pressKey(Qt::Key_A, Qt::ControlModifier);
    typeKeys(typed);
    pressKey(Qt::Key_Escape);
    QCOMPARE(scalar(kennel.db(), "SELECT dob FROM Dogtable WHERE name = 'Max'").toString(),
             "2021-04-03");
    records = app.open<dogs::DogRecordsScreen>("Browse / Update Dogs");
    QVERIFY(records);
    QCOMPARE(records->findChild<QLineEdit *>("dob")->text(), shown);
    pressKey(Qt::Key_Escape);

    auto *mating = app.open<breeding::MatingEntryScreen>("Enter a Mating");
    QVERIFY(mating);
    mating->findChild<ui::PickList *>("sire")->setText("Max");
    mating->findChild<ui::PickList *>("dam")->setText("Bella");
    focusOn(mating->findChild<QLineEdit *>("datemated"));
    typeKeys(typed);
    pressKey(Qt::Key_Tab);
    QCOMPARE(mating->findChild<QLabel *>("datedue")->text(), due);
    focusOn(mating->findChild<QLineEdit *>("datemated"));
    pressKey(Qt::Key_Return);
    QCOMPARE(messages.texts, QStringList({" Your Mating has been Entered"}));
    QCOMPARE(scalar(kennel.db(), "SELECT datemated FROM mating").toString(), "2021-04-03");

    auto *vaccination = app.open<health::VaccinationScreen>("Enter a Vaccination");
    QVERIFY(vaccination);
    focusOn(vaccination->findChild<QLineEdit *>("vaccinated"));
    typeKeys(typed);
    pressKey(Qt::Key_Tab);
    typeKeys("Booster 1yr");
    pressKey(Qt::Key_Tab);
    QCOMPARE(vaccination->findChild<QLabel *>("dueDisplay")->text(),
             order == Order::MonthDayYear ? QStringLiteral(" 4/ 3/ 2022")
                                          : core::datetext::shortDate(QDate(2022, 4, 3)));

    auto *litter = app.open<breeding::LitterScreen>("Enter a Litter");
    QVERIFY(litter);
    QCOMPARE(litter->findChild<QLineEdit *>("dateoflitter")->text(), hint);
}

// A screen open when the order changes was read and hinted in the old order: the order
// waits until it is closed, which saves what it holds as it always does.
void LocalSettingsTest::changingTheOrderWaitsForTheOtherScreens()
{
    Kennel kennel;
    MessageRecorder messages;
    addDog(kennel.db(), {{"name", "Max"}, {"sex", "Male"}});
    Started app;
    auto *records = app.open<dogs::DogRecordsScreen>("Browse / Update Dogs");
    QVERIFY(records);
    focusOn(records->findChild<QLineEdit *>("dob"));
    typeKeys("04/03/2021");
    chooseOrder(app, Order::DayMonthYear);
    QCOMPARE(core::datetext::order(), Order::MonthDayYear);
    QCOMPARE(storedOrder(kennel.db()), QString());
    QCOMPARE(messages.texts,
             QStringList({"The date order changes once the other screens are closed, so that "
                          "nothing typed in them is read in another order. Still open: " +
                          records->windowTitle() + "."}));
    auto *setup = app.window.screens().find<app::SetupScreen>(app::SetupScreen::screenName());
    QCOMPARE(setup->findChild<QComboBox *>("dateOrder")->currentText(), "month/day/year");
    QCOMPARE(records->findChild<QLineEdit *>("dob")->text(), "04/03/2021");

    messages.texts.clear();
    records = app.open<dogs::DogRecordsScreen>("Browse / Update Dogs");
    QVERIFY(records);
    pressKey(Qt::Key_Escape);
    QCOMPARE(scalar(kennel.db(), "SELECT dob FROM Dogtable").toString(), "2021-04-03");
    chooseOrder(app, Order::DayMonthYear);
    QCOMPARE(core::datetext::order(), Order::DayMonthYear);
    QCOMPARE(storedOrder(kennel.db()), "day/month/year");
    QCOMPARE(messages.texts, QStringList());
    records = app.open<dogs::DogRecordsScreen>("Browse / Update Dogs");
    QVERIFY(records);
    QCOMPARE(records->findChild<QLineEdit *>("dob")->text(), "3/4/2021");
    QCOMPARE(records->findChild<QLineEdit *>("dob")->placeholderText(), "DD/MM/YY");
}

void LocalSettingsTest::paperAndWeightsAreKeptAndTakenUp()
{
    Kennel kennel;
    MessageRecorder messages;
    Started app;
    chooseEntry(app, "paper", int(report::Paper::A4));
    QCOMPARE(report::defaultPaper().id(), QPageSize::A4);
    chooseEntry(app, "paper", int(report::Paper::Letter));
    QCOMPARE(report::defaultPaper().id(), QPageSize::Letter);
    QCOMPARE(scalar(kennel.db(), "SELECT value FROM preferences WHERE name = 'paper'").toString(),
             "Letter");
    const auto other = core::units::weight() == core::units::Weight::Metric
                           ? core::units::Weight::Imperial
                           : core::units::Weight::Metric;
    chooseEntry(app, "weights", int(other));
    QCOMPARE(core::units::weight(), other);
    QCOMPARE(scalar(kennel.db(), "SELECT value FROM preferences WHERE name = 'weights'").toString(),
             core::units::weightNames().at(int(other)));
    QCOMPARE(messages.texts, QStringList());
}

void LocalSettingsTest::currencyIsChosenOnTheSetupScreen()
{
    Kennel kennel;
    MessageRecorder messages;
    Started app;
    const auto preference = [&](const char *name) {
        return scalar(kennel.db(), "SELECT value FROM preferences WHERE name = ?", {name})
            .toString();
    };
    chooseEntry(app, "currencyPlace", int(core::money::Place::AfterWithBlank));
    chooseEntry(app, "amountForm", int(core::money::Form::BlankComma));
    auto *symbol = app.window.findChild<QLineEdit *>("currencySymbol");
    QCOMPARE(symbol->text(), "$");
    focusOn(symbol);
    pressKey(Qt::Key_A, Qt::ControlModifier);
    typeKeys("  Kč ");
    pressKey(Qt::Key_Return);
    QCOMPARE(messages.texts, QStringList());
    QCOMPARE(core::formatMoney(123450), "1\u00A0234,50\u00A0Kč");
    QCOMPARE(preference("currency symbol"), "Kč");
    QCOMPARE(preference("currency place"), "after the amount, with a blank");
    QCOMPARE(preference("amount form"), "1 234,50");
    // A refused symbol is told once, and the one in use stays, shown and kept.
    typeKeys("5");
    pressKey(Qt::Key_Tab);
    QCOMPARE(messages.texts, QStringList("The currency symbol cannot hold digits."));
    QCOMPARE(symbol->text(), "Kč");
    QCOMPARE(preference("currency symbol"), "Kč");
}

// Each kennel brings its own choices; one the program does not know falls back to the default.
void LocalSettingsTest::settingsTravelWithTheKennel()
{
    Kennel kennel;
    const auto reopen = [] {
        db::DatabaseFiles::close();
        QCOMPARE(app::localsettings::openKennel(), QString());
    };
    exec(kennel.db(),
         "INSERT INTO preferences (name, value) VALUES ('date order', 'year-month-day'), "
         "('paper', 'A4'), ('weights', 'pounds and ounces'), ('currency symbol', '€'), "
         "('currency place', 'after the amount'), ('amount form', '1.234,50')");
    reopen();
    QCOMPARE(core::formatMoney(100), "1,00€");
    QCOMPARE(core::datetext::order(), Order::YearMonthDay);
    QCOMPARE(report::paper(), report::Paper::A4);
    QCOMPARE(core::units::weight(), core::units::Weight::Imperial);
    exec(db::DatabaseFiles::kennel(),
         "UPDATE preferences SET value = 'sideways 2' WHERE name IN "
         "('date order', 'paper', 'weights', 'currency symbol', 'currency place', 'amount form')");
    reopen();
    QCOMPARE(core::datetext::order(), Order::MonthDayYear);
    QCOMPARE(report::paper(), report::Paper::System);
    QCOMPARE(core::units::weight(), core::units::systemWeight());
    QCOMPARE(core::formatMoney(100), "$1.00");
}

QTEST_MAIN(LocalSettingsTest)
#include "tst_local.moc"
