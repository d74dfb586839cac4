#include "contacts/Ownership.h"
#include "core/Clock.h"
#include "core/Money.h"
#include "report/PagePainter.h"
#include "sales/SalesReports.h"
#include "sales/SellDogScreen.h"
#include "tests/TestSupport.h"
#include "ui/PickList.h"

#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace testing;
using core::money::Currency;
using core::money::Form;
using core::money::Place;
using sales::Receipt;

Q_DECLARE_METATYPE(core::money::Currency)

namespace {

const QDate today(2026, 12, 7);

// A kennel whose breeder owns two dogs, with two contacts.
void stock(const QSqlDatabase &db)
{
    exec(db, "UPDATE setup SET Name = 'Ann Breeder', Kennelname = 'Kirkwood'");
    exec(db, "INSERT INTO contacts (last) VALUES ('Zoe O''Hara'), (' '), ('Jürgen')");
    addDog(db, {{"name", "Zed"},
                {"ownerid", "Ann Breeder"},
                {"breed", "Whippet"},
                {"colour", "Fawn"},
                {"sex", "Male"},
                {"dob", "2026-01-05"},
                {"registration", "KC1"},
                {"sire", "Max"},
                {"dam", "Not On Record"}});
    addDog(db, {{"name", "Abe"}, {"ownerid", "Ann Breeder"}});
    addDog(db, {{"name", "Other"}, {"ownerid", "Someone Else"}});
    addDog(db, {{"name", "Max"}, {"sire", "Grand"}, {"dam", "Granny"}});
}

struct SellScreen
{
    SellScreen() : screen(std::make_unique<sales::SellDogScreen>())
    {
        QObject::connect(screen.get(), &sales::SellDogScreen::receiptReady,
                         [this](Receipt r) { receipts << int(r); });
        screen->show();
        if (!QTest::qWaitFor([&] { return screen->isLoaded(); }))
            qFatal("the screen did not load");
    }
    ui::PickList *dogs() const { return screen->findChild<ui::PickList *>("dogs"); }
    ui::PickList *buyers() const { return screen->findChild<ui::PickList *>("buyers"); }
    void press(const char *button) { screen->findChild<QPushButton *>(button)->click(); }
    void sell(const QString &dog, const QString &amount, const QString &buyer, const char *button)
    {
        dogs()->setText(dog);
        screen->findChild<QLineEdit *>("amount")->setText(amount);
        buyers()->setText(buyer);
        press(button);
    }

    std::unique_ptr<sales::SellDogScreen> screen;
    QList<int> receipts;
};

QString salesRow(const QSqlDatabase &db, int rowid)
{
    return scalar(db,
                  "SELECT prevowner || '|' || sellamount || '|' || breed || '|' || colour || '|' "
                  "|| dob || "
                  "'|' || reg || '|' || prefix || '|' || salesdate || '|' || dogsold || '|' || "
                  "soldto || '|' "
                  "|| quote(sex) FROM report.sales WHERE salesid = ?",
                  {rowid})
        .toString();
}

// The text of a report as a PDF reader finds it, blanks of every kind read as one.
QString pdfText(const report::Layout &layout)
{
    QTemporaryDir folder;
    const QString pdf = folder.filePath("report.pdf");
    if (!report::writePdf(layout, pdf).isEmpty())
        return {};
    QProcess reader;
    reader.start("pdftotext", {"-layout", pdf, "-"});
    reader.waitForFinished();
    return QString::fromUtf8(reader.readAllStandardOutput()).simplified();
}

} // namespace

class SalesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { core::Clock::setToday(today); }
    void cleanup()
    {
        core::Clock::useSystemDate();
        core::money::setCurrency({});
    }

    void refusesWithoutSetupName_data();
    void refusesWithoutSetupName();
    void listsOwnDogsAndEveryContact();
    void okShowsTheDetails();
    void checksInOrder_data();
    void checksInOrder();
    void smallReceiptsNumberTheSales();
    void aSaleByKeysIsRecordedOnce();
    void choosingAnotherDogReplacesTheDetails();
    void receiptWithoutOkSaysUnknown();
    void pedigreeReceiptCarriesTheAncestors();
    void soldDogLeavesTheKennel();
    void failedSaleChangesNothing();
    void salesReportTotalsToTheCent();
    void amountsInTheChosenCurrency_data();
    void amountsInTheChosenCurrency();
    void emptySalesReport();
    void receiptCopiesStandApart();
    void ownersListingGroupsDogsUnderOwners();
    void contactListShowsEachContact();
    void dogsOwnedMatchExactly();
};

void SalesTest::refusesWithoutSetupName_data()
{
    QTest::addColumn<QVariant>("name");
    QTest::newRow("no value") << QVariant();
    QTest::newRow("empty") << QVariant("");
    QTest::newRow("a blank") << QVariant(" ");
}

void SalesTest::refusesWithoutSetupName()
{
    QFETCH(QVariant, name);
    Kennel kennel;
    MessageRecorder messages;
    exec(kennel.db(), "UPDATE setup SET Name = ?", {name});
    SellScreen s;
    QCOMPARE(messages.texts, QStringList({" Please Enter you Name in the System Setup"}));
    QVERIFY(!s.screen->isVisible());
}

void SalesTest::listsOwnDogsAndEveryContact()
{
    Kennel kennel;
    stock(kennel.db());
    exec(kennel.db(), "UPDATE setup SET Kennelname = NULL");
    SellScreen s;
    QCOMPARE(s.screen->windowTitle(), "Sell Dog");
    QCOMPARE(s.dogs()->entries(), QStringList({"Abe", "Zed"}));
    QCOMPARE(s.dogs()->text(), "Select a Dog to Sell");
    QCOMPARE(s.buyers()->entries(), QStringList({"Zoe O'Hara", " ", "Jürgen"}));
    QCOMPARE(s.buyers()->text(), "Select the Buyer");
    QCOMPARE(s.screen->detail("owner"), "Ann Breeder");
    QCOMPARE(s.screen->detail("kennel"), "label2");
}

void SalesTest::okShowsTheDetails()
{
    Kennel kennel;
    MessageRecorder messages;
    stock(kennel.db());
    SellScreen s;
    s.press("ok");
    QCOMPARE(messages.texts, QStringList({" Please Select a Dog "}));
    s.dogs()->setText("zed");
    s.press("ok");
    QCOMPARE(
        QStringList({s.screen->detail("breed"), s.screen->detail("reg"), s.screen->detail("colour"),
                     s.screen->detail("sex"), s.screen->detail("dob")}),
        QStringList({"Whippet", "KC1", "Fawn", "Male", "1/5/2026"}));
}

void SalesTest::checksInOrder_data()
{
    QTest::addColumn<QString>("dog");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("buyer");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("message");
    QTest::newRow("no dog") << "Select a Dog to Sell"
                            << "100"
                            << "Jürgen"
                            << "smallReceipt"
                            << " Please Select a Dog ";
    QTest::newRow("unknown dog") << "Ghost"
                                 << "100"
                                 << "Jürgen"
                                 << "smallReceipt"
                                 << " Please Select a Dog ";
    QTest::newRow("no amount, no buyer") << "Zed"
                                         << ""
                                         << "Select the Buyer"
                                         << "smallReceipt"
                                         << "Please Enter the sales amount";
    QTest::newRow("letters") << "Zed"
                             << "abc"
                             << "Jürgen"
                             << "smallReceipt"
                             << "The Sell Amount must be";
    QTest::newRow("negative") << "Zed"
                              << "-5"
                              << "Jürgen"
                              << "pedigreeReceipt"
                              << "The Sell Amount must be";
    QTest::newRow("exponent") << "Zed"
                              << "1e3"
                              << "Jürgen"
                              << "smallReceipt"
                              << "The Sell Amount must be";
    QTest::newRow("no buyer, small") << "Zed"
                                     << "100"
                                     << "Select the Buyer"
                                     << "smallReceipt"
                                     << "Please Select the Name You are selling to ";
    QTest::newRow("no buyer, pedigree") << "Zed"
                                        << "100"
                                        << "Select the Buyer"
                                        << "pedigreeReceipt"
                                        << "Please Select the Buyers Name ";
}

void SalesTest::checksInOrder()
{
    QFETCH(QString, dog);
    QFETCH(QString, amount);
    QFETCH(QString, buyer);
    QFETCH(QString, button);
    QFETCH(QString, message);
    Kennel kennel;
    MessageRecorder messages;
    stock(kennel.db());
    SellScreen s;
    s.sell(dog, amount, buyer, button.toLatin1().constData());
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY2(messages.texts[0].startsWith(message), qPrintable(messages.texts[0]));
    QVERIFY(s.receipts.isEmpty());
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM report.sales").toInt(), 0);
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM report.reciept").toInt(), 0);
    QCOMPARE(scalar(kennel.db(), "SELECT ownerid FROM Dogtable WHERE name = 'Zed'").toString(),
             "Ann Breeder");
}

void SalesTest::smallReceiptsNumberTheSales()
{
    Kennel kennel;
    MessageRecorder messages;
    stock(kennel.db());
    SellScreen s;
    s.dogs()->setText("Zed");
    s.press("ok");
    s.sell("Zed", "1234.5", "Zoe O'Hara", "smallReceipt");
    s.sell("Abe", "$1,000", " ", "smallReceipt");
    QVERIFY2(messages.texts.isEmpty(), qPrintable(messages.texts.join('|')));
    QCOMPARE(s.receipts, QList<int>({int(Receipt::Small), int(Receipt::Small)}));
    QCOMPARE(
        salesRow(kennel.db(), 1),
        "Ann Breeder|123450|Whippet|Fawn|1/5/2026|KC1|Kirkwood|2026-12-07|Zed|Zoe O'Hara|'Male'");
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM report.reciept").toInt(), 1);
    QCOMPARE(scalar(kennel.db(),
                    "SELECT salesnumber || '|' || dogsold || '|' || sellamount || '|' || soldto "
                    "FROM report.reciept")
                 .toString(),
             "2|Abe|100000| ");
    const report::Layout receipt = sales::salesReceipt().layout();
    QCOMPARE(receipt.texts(0).count("$1,000.00"), 2);
    QCOMPARE(receipt.texts(0).count("2"), 2);
}

void SalesTest::aSaleByKeysIsRecordedOnce()
{
    Kennel kennel;
    MessageRecorder messages;
    stock(kennel.db());
    SellScreen s;
    focusOn(s.dogs()->lineEdit());
    // The prompt is taken whole, so that typing replaces it.
    QTRY_COMPARE(s.dogs()->lineEdit()->selectedText(), "Select a Dog to Sell");
    typeKeys("Zed");
    // Chosen by typing a listed name: the details are there before any button.
    QCOMPARE(s.screen->detail("breed"), "Whippet");
    QCOMPARE(s.screen->detail("dob"), "1/5/2026");
    pressKey(Qt::Key_Tab);
    focusOn(s.screen->findChild<QLineEdit *>("amount"));
    typeKeys("900");
    focusOn(s.buyers()->lineEdit());
    pressKey(Qt::Key_A, Qt::ControlModifier);
    typeKeys("Zoe O'Hara");
    pressKey(Qt::Key_Tab);
    for (const char *button : {"smallReceipt", "pedigreeReceipt", "smallReceipt"}) {
        focusOn(s.screen->findChild<QPushButton *>(button));
        pressKey(Qt::Key_Return);
    }
    QVERIFY2(messages.texts.isEmpty(), qPrintable(messages.texts.join('|')));
    QCOMPARE(s.receipts,
             QList<int>({int(Receipt::Small), int(Receipt::WithPedigree), int(Receipt::Small)}));
    // One sale, printed on both receipts under one number.
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM report.sales").toInt(), 1);
    QCOMPARE(
        salesRow(kennel.db(), 1),
        "Ann Breeder|90000|Whippet|Fawn|1/5/2026|KC1|Kirkwood|2026-12-07|Zed|Zoe O'Hara|'Male'");
    QCOMPARE(scalar(kennel.db(), "SELECT salesnumber FROM report.reciept").toInt(), 1);
    QCOMPARE(scalar(kennel.db(), "SELECT recid FROM report.largereciept").toInt(), 1);

    // The same dog to another buyer is a second sale, asked for first.
    focusOn(s.buyers()->lineEdit());
    pressKey(Qt::Key_A, Qt::ControlModifier);
    typeKeys("Jürgen");
    pressKey(Qt::Key_Tab);
    s.press("smallReceipt");
    QCOMPARE(messages.texts,
             QStringList({"Zed was just sold to Zoe O'Hara. Sell it again to Jürgen?"}));
    QCOMPARE(messages.icons, QList<core::Messages::Icon>{core::Messages::Icon::Question});
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM report.sales").toInt(), 1);
    messages.answers = {true};
    s.press("smallReceipt");
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM report.sales").toInt(), 2);
    QCOMPARE(scalar(kennel.db(), "SELECT ownerid FROM Dogtable WHERE name = 'Zed'").toString(),
             "Jürgen");
}

void SalesTest::choosingAnotherDogReplacesTheDetails()
{
    Kennel kennel;
    MessageRecorder messages;
    stock(kennel.db());
    SellScreen s;
    focusOn(s.dogs()->lineEdit());
    pressKey(Qt::Key_A, Qt::ControlModifier);
    typeKeys("Zed");
    QCOMPARE(s.screen->detail("colour"), "Fawn");
    // Typed further, the text no longer names a listed dog: nothing of Zed is left to be
    // recorded with it.
    typeKeys("x");
    QCOMPARE(s.screen->detail("colour"), "");
    pressKey(Qt::Key_A, Qt::ControlModifier);
    typeKeys("Abe");
    QCOMPARE(s.screen->detail("colour"), "");
    QCOMPARE(s.screen->detail("reg"), "");
}

void SalesTest::receiptWithoutOkSaysUnknown()
{
    Kennel kennel;
    MessageRecorder messages;
    stock(kennel.db());
    exec(kennel.db(), "UPDATE setup SET Kennelname = ''");
    SellScreen s;
    s.sell("Abe", "100", "Jürgen", "smallReceipt");
    QCOMPARE(salesRow(kennel.db(), 1),
             "Ann Breeder|10000|Unknown|Unknown|Unknown|Unknown|Unknown|2026-12-07|Abe|Jürgen|''");
}

void SalesTest::pedigreeReceiptCarriesTheAncestors()
{
    Kennel kennel;
    MessageRecorder messages;
    stock(kennel.db());
    SellScreen s;
    s.dogs()->setText("Zed");
    s.press("ok");
    s.sell("Zed", "750", "Jürgen", "pedigreeReceipt");
    QCOMPARE(s.receipts, QList<int>({int(Receipt::WithPedigree)}));
    QCOMPARE(scalar(kennel.db(),
                    "SELECT recid || '|' || saleamount || '|' || dogname || '|' || \"1s1\" || '|' "
                    "|| \"2s1\" || '|' || \"1d1\" || '|' || \"2s2\" || '|' || \"3d4\" || '|' || "
                    "datesold FROM report.largereciept")
                 .toString(),
             "1|75000|Zed|Max|Grand|Not On Record|Not on Record|Not on Record|2026-12-07");
    const report::Layout receipt = sales::pedigreeReceipt().layout();
    QCOMPARE(receipt.caption, "Receipt of Sale Showing Pedigree");
    QCOMPARE(receipt.find(0, "Receipt and Pedigree of ")->rect.topLeft(), QPoint(2980, 1252));
    QCOMPARE(receipt.find(0, "$750.00")->rect.topLeft(), QPoint(8164, 3268));
    QVERIFY(!receipt.find(0, "Name :"));
}

void SalesTest::soldDogLeavesTheKennel()
{
    Kennel kennel;
    MessageRecorder messages;
    stock(kennel.db());
    {
        SellScreen s;
        s.sell("Zed", "99.99", "Zoe O'Hara", "smallReceipt");
        QCOMPARE(s.dogs()->entries(), QStringList({"Abe", "Zed"}));
    }
    QCOMPARE(scalar(kennel.db(),
                    "SELECT ownerid || '|' || soldfor || '|' || datesold FROM Dogtable "
                    "WHERE name = 'Zed'")
                 .toString(),
             "Zoe O'Hara|9999|2026-12-07");
    SellScreen again;
    QCOMPARE(again.dogs()->entries(), QStringList({"Abe"}));
}

void SalesTest::failedSaleChangesNothing()
{
    Kennel kennel;
    MessageRecorder messages;
    stock(kennel.db());
    exec(kennel.db(), "CREATE TEMP TRIGGER refuse BEFORE UPDATE ON main.Dogtable "
                      "BEGIN SELECT RAISE(ABORT, 'disk trouble'); END");
    SellScreen s;
    s.sell("Zed", "100", "Jürgen", "pedigreeReceipt");
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY(messages.texts[0].contains("disk trouble") &&
            messages.texts[0].contains("Nothing has been changed"));
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM report.sales").toInt(), 0);
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM report.largereciept").toInt(), 0);
    QVERIFY(s.receipts.isEmpty());
}

void SalesTest::salesReportTotalsToTheCent()
{
    Kennel kennel;
    exec(kennel.report(),
         "INSERT INTO sales (dogsold, soldto, salesdate, sellamount) VALUES "
         "('Rex', 'Ann', '2026-03-01', 123450), ('Bella', 'Bo', '2026-04-02', 10000)");
    for (int i = 0; i < 30; ++i)
        exec(kennel.report(), "INSERT INTO sales (dogsold, sellamount) VALUES ('Pup', 1)");
    const report::Layout layout = sales::salesReport().layout();
    const QStringList first = layout.texts(0);
    QCOMPARE(first.mid(0, 5), QStringList({"Sales Report On All Dogs Sold", "Page ", "1", "of",
                                           QString::number(layout.pages.size())}));
    QVERIFY(first.contains(QLocale().toString(today, QLocale::LongFormat)));
    QVERIFY(first.contains("$1,234.50") && first.contains("$100.00"));
    const QStringList last = layout.texts(int(layout.pages.size()) - 1);
    QCOMPARE(last.at(last.indexOf("Total Sales Amount") + 1), "$1,334.80");
    QCOMPARE(layout.find(0, "Rex")->rect, QRect(1440 + 576, 1440 + 435 + 528 + 576, 5475, 285));
}

void SalesTest::amountsInTheChosenCurrency_data()
{
    QTest::addColumn<Currency>("currency");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("otherSeparators");
    QTest::addColumn<QString>("printed");
    QTest::addColumn<QString>("total");
    QTest::newRow("dollars") << Currency() << "1,234.5"
                             << "1.234,50"
                             << "$1,234.50"
                             << "$2,234.50";
    QTest::newRow("euros after, with a blank")
        << Currency{"€", Place::AfterWithBlank, Form::PointComma} << "1.234,5 €"
        << "1,234.50"
        << "1.234,50 €"
        << "2.234,50 €";
    QTest::newRow("a code of three letters before")
        << Currency{"CHF", Place::BeforeWithBlank, Form::ApostrophePoint} << "chf 1'234.50"
        << "1.234,50"
        << "CHF 1'234.50"
        << "CHF 2'234.50";
}

// Typed on the sale screen, printed on both receipts and totalled on the sales report, as a
// PDF reader finds them.
void SalesTest::amountsInTheChosenCurrency()
{
    QFETCH(Currency, currency);
    QFETCH(QString, typed);
    QFETCH(QString, otherSeparators);
    QFETCH(QString, printed);
    QFETCH(QString, total);
    core::money::setCurrency(currency);
    Kennel kennel;
    MessageRecorder messages;
    stock(kennel.db());
    SellScreen s;
    s.sell("Zed", otherSeparators, "Jürgen", "smallReceipt");
    const QString example = core::formatMoney(125000);
    QCOMPARE(messages.texts,
             QStringList("The Sell Amount must be an amount of money, such as 1250 or " + example +
                         "."));
    QVERIFY(s.receipts.isEmpty());
    s.sell("Zed", typed, "Jürgen", "smallReceipt");
    s.sell("Abe", "1000", "Zoe O'Hara", "pedigreeReceipt");
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY(pdfText(sales::salesReceipt().layout()).contains(printed));
    const QString thousand = core::formatMoney(100000).replace(QChar(0xA0), ' ');
    QVERIFY(pdfText(sales::pedigreeReceipt().layout()).contains(thousand));
    const QString report = pdfText(sales::salesReport().layout());
    QVERIFY2(report.contains(printed) && report.contains(thousand), qPrintable(report));
    QVERIFY2(report.contains("Total Sales Amount " + total), qPrintable(report));
}

void SalesTest::emptySalesReport()
{
    Kennel kennel;
    const report::Layout layout = sales::salesReport().layout();
    QCOMPARE(layout.pages.size(), 1);
    QVERIFY(layout.texts(0).contains("Total Sales Amount"));
    QVERIFY(!layout.texts(0).contains("Receipt Number"));
}

void SalesTest::receiptCopiesStandApart()
{
    Kennel kennel;
    exec(kennel.report(),
         "INSERT INTO reciept (prefix, salesnumber, sellamount) VALUES ('Kirkwood', 7, 5000)");
    const report::Layout layout = sales::salesReceipt().layout();
    const QPoint customers = layout.find(0, "Customers Copy")->rect.topLeft();
    const QPoint sellers = layout.find(0, "Sellers Copy")->rect.topLeft();
    QCOMPARE(customers, QPoint(100 + 1728, 100 + 1584));
    QCOMPARE(sellers - customers, QPoint(0, 7344));
    QCOMPARE(layout.texts(0).count("Kirkwood"), 2);
}

void SalesTest::ownersListingGroupsDogsUnderOwners()
{
    Kennel kennel;
    exec(kennel.db(), "INSERT INTO contacts (last) VALUES ('Bo'), ('Ann'), ('Ann'), ('Nobody')");
    addDog(kennel.db(), {{"name", "Rex"}, {"ownerid", "Ann"}, {"registration", "R1"}});
    addDog(kennel.db(), {{"name", "Max"}, {"ownerid", "Bo"}});
    addDog(kennel.db(), {{"name", "Stray"}, {"ownerid", "ann"}});
    addDog(kennel.db(), {{"name", "Bella"}, {"ownerid", "Ann"}, {"registration", "B1"}});
    const report::Layout layout = contacts::ownersListing().layout();
    QCOMPARE(layout.caption, "Dog Owners Listing");
    QCOMPARE(layout.texts(0), QStringList({"Dog Owners Listing",
                                           "Dog Owner",
                                           "Bo",
                                           "Max",
                                           "Registration Number",
                                           "",
                                           "Dog Owner",
                                           "Ann",
                                           "Rex",
                                           "Registration Number",
                                           "R1",
                                           "Bella",
                                           "Registration Number",
                                           "B1",
                                           "Dog Owner",
                                           "Ann",
                                           "Rex",
                                           "Registration Number",
                                           "R1",
                                           "Bella",
                                           "Registration Number",
                                           "B1",
                                           "Dog Owner",
                                           "Nobody"}));
}

void SalesTest::contactListShowsEachContact()
{
    Kennel kennel;
    exec(kennel.db(),
         "INSERT INTO contacts (last, address, city, state, postcode, country, phone, fax, email) "
         "VALUES ('Ann Lee', '1 High St', 'Bath', 'Somerset', 'BA1', 'United Kingdom', '0123', "
         "'0456', 'ann@example.org')");
    const report::Layout layout = contacts::contactList().layout();
    QCOMPARE(layout.caption, "Contact List");
    const QStringList texts = layout.texts(0);
    QCOMPARE(texts.first(), "Contacts Listing");
    QCOMPARE(texts.at(1), QLocale().toString(today, QLocale::LongFormat));
    QCOMPARE(texts.mid(3),
             QStringList({"Ann Lee", "1 High St", "Bath", "Somerset", "BA1", "United Kingdom",
                          "Phone", "0123", "Fax:", "0456", "Email:", "ann@example.org"}));
}

void SalesTest::dogsOwnedMatchExactly()
{
    Kennel kennel;
    exec(kennel.db(), "INSERT INTO contacts (last) VALUES ('Zoe'), ('Ann')");
    addDog(kennel.db(), {{"name", "Rex"}, {"ownerid", "Ann"}});
    addDog(kennel.db(), {{"name", "Stray"}, {"ownerid", "ann"}});
    addDog(kennel.db(), {{"name", "Bella"}, {"ownerid", "Ann"}});
    contacts::DogsOwnedScreen screen;
    screen.show();
    QTRY_VERIFY(screen.isLoaded());
    QCOMPARE(screen.windowTitle(), "List of Dogs Owned");
    QCOMPARE(screen.owners()->entries(), QStringList({"Ann", "Zoe"}));
    screen.findChild<QPushButton *>("showDogs")->click();
    QVERIFY(screen.dogs().isEmpty());
    screen.owners()->setText("Ann");
    screen.findChild<QPushButton *>("showDogs")->click();
    QCOMPARE(screen.dogs(), QStringList({"Rex", "Bella"}));
}

QTEST_MAIN(SalesTest)
#include "tst_sales.moc"
