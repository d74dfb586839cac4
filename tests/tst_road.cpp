// The road of one litter, from the kennel's setup to the sales report, through the real
// screens of the main window.
#include "app/MainMenu.h"
#include "app/MainWindow.h"
#include "app/ReportPreview.h"
#include "app/SetupScreen.h"
#include "breeding/LitterScreen.h"
#include "breeding/MatingEntryScreen.h"
#include "contacts/ContactEntryScreen.h"
#include "contacts/Ownership.h"
#include "core/Choices.h"
#include "core/Clock.h"
#include "dogs/AddDogsScreen.h"
#include "dogs/DogRecordsScreen.h"
#include "dogs/FindDogScreen.h"
#include "health/HistoryScreens.h"
#include "health/VaccinationScreen.h"
#include "reminders/MonthListScreen.h"
#include "sales/SellDogScreen.h"
#include "tests/TestSupport.h"
#include "ui/BoundFields.h"
#include "ui/PickList.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

using namespace testing;

namespace {

class Road
{
public:
    Road()
    {
        window.show();
        if (!QTest::qWaitFor([&] { return window.mainMenu() != nullptr; }))
            qFatal("no main menu");
    }

    // Presses a main menu button and answers the screen it opened, once it has loaded.
    template <class Screen> Screen *open(const QString &button, const QString &objectName)
    {
        window.mainMenu()->button(button)->click();
        auto *screen = window.screens().find<Screen>(objectName);
        if (!screen || !QTest::qWaitFor([&] { return screen->isLoaded(); }))
            qFatal("%s did not open", qPrintable(objectName));
        return screen;
    }

    template <class Screen> Screen *shown(const QString &objectName)
    {
        auto *screen = window.screens().find<Screen>(objectName);
        if (!screen || !QTest::qWaitFor([&] { return screen->isLoaded(); }))
            qFatal("%s is not shown", qPrintable(objectName));
        return screen;
    }

    static void set(QWidget *screen, const char *field, const QString &text)
    {
        ui::BoundFields::setText(screen->findChild<QWidget *>(field), text);
    }
    static void press(QWidget *screen, const char *button)
    {
        QTest::mouseClick(screen->findChild<QPushButton *>(button), Qt::LeftButton);
    }
    static void leave(QWidget *control)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(control, &out);
    }

    app::MainWindow window;
};

} // namespace

class RoadTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { core::Clock::useSystemDate(); }
    void oneLitterFromMatingToSale();
};

void RoadTest::oneLitterFromMatingToSale()
{
    core::Clock::setToday(QDate(2026, 5, 14));
    Kennel kennel;
    MessageRecorder messages;
    Road road;

    // The kennel's own details.
    auto *setup = road.open<app::SetupScreen>("Setup", "SetupInformation");
    Road::set(setup, "Name", "Ann Breeder");
    Road::set(setup, "Kennelname", "Kirkwood");
    Road::set(setup, "country", "Australia");
    QVERIFY(road.window.screens().frameOf(setup)->close());
    QCOMPARE(scalar(kennel.db(), "SELECT Name || '|' || Kennelname || '|' || country FROM setup")
                 .toString(),
             "Ann Breeder|Kirkwood|Australia");

    // A buyer and a breeder.
    auto *contact = road.open<contacts::ContactEntryScreen>("Add a Contact", "Form28");
    Road::set(contact, "last", "Zoe O'Hara");
    Road::press(contact, "save");
    Road::set(contact, "last", "Jürgen Weiß");
    Road::set(contact, "breeder", "Yes");
    Road::press(contact, "save");
    QCOMPARE(messages.texts, QStringList(2, " Your record has been written"));
    QCOMPARE(scalar(kennel.db(), "SELECT group_concat(last, '|') FROM contacts").toString(),
             "Zoe O'Hara|Jürgen Weiß");

    // Sire and dam: two blank records completed on the dog records screen.
    auto *add = road.open<dogs::AddDogsScreen>("Add Dog Records", "AddDogRecords");
    Road::set(add, "number", "2");
    QTest::keyClick(add->findChild<QLineEdit *>("number"), Qt::Key_Return);
    auto *records = road.open<dogs::DogRecordsScreen>("Browse / Update Dogs", "Form4");
    Road::set(records, "name", "Kirkwood Max");
    Road::set(records, "sex", "Male");
    Road::set(records, "breed", "Whippet");
    Road::press(records, "nextButton");
    Road::set(records, "name", "Kirkwood Bella");
    Road::set(records, "sex", "Female");
    Road::set(records, "breed", "Whippet");
    Road::set(records, "breeder", "Jürgen Weiß");
    Road::press(records, "firstButton");
    QCOMPARE(scalar(kennel.db(), "SELECT group_concat(name || ':' || sex, '|') FROM Dogtable")
                 .toString(),
             "Kirkwood Max:Male|Kirkwood Bella:Female");
    QVERIFY(road.window.screens().frameOf(records)->close());

    // The mating; its litter is due in July.
    auto *mating = road.open<breeding::MatingEntryScreen>("Enter a Mating", "Form20");
    Road::set(mating, "sire", "Kirkwood Max");
    Road::set(mating, "dam", "Kirkwood Bella");
    Road::set(mating, "datemated", "5/3/26");
    Road::press(mating, "submit");
    QCOMPARE(messages.texts.last(), " Your Mating has been Entered");
    QCOMPARE(scalar(kennel.db(), "SELECT datemated || '|' || datedue FROM mating").toString(),
             "2026-05-03|2026-07-05");

    // In July the litter is on the month lists.
    core::Clock::setToday(QDate(2026, 7, 5));
    auto *litters = road.open<reminders::MonthListScreen>("List Litters Due", "Form14");
    QVERIFY(litters->lines().contains("Kirkwood Max and Kirkwood Bella"));
    QVERIFY(litters->lines().contains("are expecting a Litter on 7/5/2026"));

    // The litter and its pups.
    auto *litter = road.open<breeding::LitterScreen>("Enter a Litter", "Form19");
    litter->matings()->setCurrentIndex(0);
    Road::press(litter, "view");
    Road::set(litter, "littersize", "3");
    Road::set(litter, "dateoflitter", "7/5/26");
    Road::press(litter, "add");
    QCOMPARE(
        messages.texts.last(),
        " 3 Pups have been added to the Dogs Records You will need to update the Information. ");
    QCOMPARE(scalar(kennel.db(),
                    "SELECT count(*) FROM Dogtable WHERE name LIKE 'PPLITTER 1 %' AND breed = "
                    "'Whippet' AND ownerid = 'Ann Breeder' AND cob = 'Australia'")
                 .toInt(),
             3);

    // The breeder completes the first pup, found by name.
    auto *find = road.open<dogs::FindDogScreen>("Find / Update Dog ", "FindDogRecord");
    find->list()->setText("PPLITTER 1 1");
    Road::press(find, "ok");
    records = road.shown<dogs::DogRecordsScreen>("Form4");
    QCOMPARE(records->findChild<QLineEdit *>("name")->text(), "PPLITTER 1 1");
    Road::set(records, "name", "Kirkwood Comet");
    Road::set(records, "sex", "Male");
    Road::set(records, "colour", "Brindle");
    Road::press(records, "nextButton");
    QCOMPARE(scalar(kennel.db(),
                    "SELECT sire || '|' || dam || '|' || colour FROM Dogtable WHERE name = "
                    "'Kirkwood Comet'")
                 .toString(),
             "Kirkwood Max|Kirkwood Bella|Brindle");

    // Its first vaccination, and its history.
    auto *vaccination = road.open<health::VaccinationScreen>("Enter a Vaccination", "Form8");
    Road::set(vaccination, "dog", "Kirkwood Comet");
    Road::leave(vaccination->findChild<QWidget *>("dog"));
    Road::set(vaccination, "vaccinated", "8/16/26");
    Road::set(vaccination, "vaxtype", "Puppy Vax 1");
    Road::leave(vaccination->findChild<QWidget *>("vaxtype"));
    Road::set(vaccination, "due", "9/13/26");
    Road::press(vaccination, "save");
    QCOMPARE(messages.texts.last(), "The Vaccination has been entered.");
    auto *chooser =
        road.open<health::VaccinationChooserScreen>("View Vaccination History", "Form30");
    chooser->list()->setText("Kirkwood Comet");
    Road::press(chooser, "ok");
    auto *history = road.shown<health::VaccinationHistoryScreen>("Form9");
    QCOMPARE(history->lines(), QStringList({"8/16/2026     9/13/2026    Puppy Vax 1"}));

    // Two sales, one with each receipt.
    core::Clock::setToday(QDate(2026, 10, 1));
    auto *sell = road.open<sales::SellDogScreen>("Sell a Dog", "Form10");
    QCOMPARE(sell->findChild<ui::PickList *>("dogs")->entries(),
             QStringList({"Kirkwood Comet", "PPLITTER 1 2", "PPLITTER 1 3"}));
    auto sale = [&](const QString &dog, const QString &amount, const QString &buyer,
                    const char *button) {
        Road::set(sell, "dogs", dog);
        Road::press(sell, "ok");
        Road::set(sell, "amount", amount);
        Road::set(sell, "buyers", buyer);
        Road::press(sell, button);
    };
    sale("Kirkwood Comet", "1,250", "Zoe O'Hara", "smallReceipt");
    auto *receipt = road.shown<app::ReportPreview>("SalesReciept");
    QCOMPARE(receipt->shownPage().texts(0).count("$1,250.00"), 2);
    QCOMPARE(receipt->shownPage().texts(0).count("Kirkwood Comet"), 2);
    sale("PPLITTER 1 2", "$980.50", "Jürgen Weiß", "pedigreeReceipt");
    auto *withPedigree = road.shown<app::ReportPreview>("PedigreeReciept");
    QVERIFY(withPedigree->shownPage().find(0, "Kirkwood Max"));
    QVERIFY(withPedigree->shownPage().find(0, "$980.50"));
    QCOMPARE(scalar(kennel.db(),
                    "SELECT group_concat(salesid || ':' || dogsold || ':' || soldto || ':' || "
                    "sellamount || ':' || salesdate, '|') FROM report.sales")
                 .toString(),
             "1:Kirkwood Comet:Zoe O'Hara:125000:2026-10-01|2:PPLITTER 1 2:Jürgen "
             "Weiß:98050:2026-10-01");

    // The buyer now owns the pup.
    auto *owned = road.open<contacts::DogsOwnedScreen>("List Dogs Owned", "Form7");
    owned->owners()->setText("Zoe O'Hara");
    Road::press(owned, "showDogs");
    QCOMPARE(owned->dogs(), QStringList({"Kirkwood Comet"}));
    road.window.mainMenu()->button("Dog Owner Report")->click();
    auto *owners = road.shown<app::ReportPreview>("DataReport4");
    const QStringList listing = owners->shownPage().texts(0);
    QCOMPARE(listing.mid(listing.indexOf("Zoe O'Hara") - 1, 3),
             QStringList({"Dog Owner", "Zoe O'Hara", "Kirkwood Comet"}));

    // And the sales report totals both sales.
    road.window.mainMenu()->button("Sales Report")->click();
    auto *report = road.shown<app::ReportPreview>("SalesReport");
    const QStringList texts = report->shownPage().texts(0);
    QCOMPARE(texts.at(texts.indexOf("Total Sales Amount") + 1), "$2,230.50");
    QVERIFY(messages.texts.filter("could not").isEmpty());
}

QTEST_MAIN(RoadTest)
#include "tst_road.moc"
