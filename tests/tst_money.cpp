#include "app/ReportPreview.h"
#include "contacts/ContactRemoval.h"
#include "core/Clock.h"
#include "db/DatabaseFiles.h"
#include "money/Accounts.h"
#include "money/AccountsReports.h"
#include "money/AccountsScreen.h"
#include "money/AccountTotals.h"
#include "money/Contracts.h"
#include "money/ContractsScreen.h"
#include "money/Deposits.h"
#include "money/WaitingList.h"
#include "money/WaitingListScreen.h"
#include "sales/SellDogScreen.h"
#include "tests/ProgramWindow.h"
#include "ui/FieldGrid.h"

#include <limits>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTableView>
#include <QTableWidget>

using namespace testing;

namespace {

const QString kennelOwner = QStringLiteral("Margaret Kirk");

// The kennel's owner, two litters of Nova's with a pup each, and two buyers.
struct Litters
{
    qint64 first = 0;
    qint64 second = 0;
    qint64 pip = 0; // of the first litter
    qint64 tia = 0; // of the first litter
};

Litters addLitters(const QSqlDatabase &db)
{
    exec(db, "UPDATE setup SET Name = ?, Kennelname = 'Kirkwood'", {kennelOwner});
    addDog(db, {{"name", "Rex"}, {"sex", "Male"}});
    addDog(db, {{"name", "Nova"}, {"sex", "Female"}});
    Litters l;
    exec(db, "INSERT INTO litters (sire, dam, littersize, dateoflitter) VALUES "
             "('Rex', 'Nova', 2, '2026-09-01')");
    l.first = scalar(db, "SELECT max(litterid) FROM litters").toLongLong();
    exec(db, "INSERT INTO litters (sire, dam, littersize, dateoflitter) VALUES "
             "('Rex', 'Nova', 3, '2027-03-01')");
    l.second = scalar(db, "SELECT max(litterid) FROM litters").toLongLong();
    l.pip = addDog(db, {{"name", "Kirkwood Pip"},
                        {"sex", "Male"},
                        {"sire", "Rex"},
                        {"dam", "Nova"},
                        {"dob", "2026-09-01"},
                        {"ownerid", kennelOwner}});
    l.tia = addDog(db, {{"name", "Kirkwood Tia"},
                        {"sex", "Female"},
                        {"sire", "Rex"},
                        {"dam", "Nova"},
                        {"dob", "2026-09-01"},
                        {"ownerid", kennelOwner}});
    for (const char *name : {"Zoë O'Brien", "Ann Lee", "Bob Hale"})
        exec(db, "INSERT INTO contacts (last) VALUES (?)", {QString::fromUtf8(name)});
    return l;
}

qint64 contactId(const QSqlDatabase &db, const char *name)
{
    return scalar(db, "SELECT contactid FROM contacts WHERE last = ?", {QString::fromUtf8(name)})
        .toLongLong();
}

// An entry for a buyer with a deposit held, matched to a pup where given.
qint64 entryWithDeposit(const QSqlDatabase &db, const char *buyer, qint64 litter, qint64 pup,
                        qint64 cents)
{
    money::WaitingEntry e;
    e.contactId = contactId(db, buyer);
    e.enquired = QDate(2026, 8, 1);
    e.litterId = litter;
    e.status = pup > 0 ? money::matchedStatus : money::enquiryStatus;
    e.dogId = pup;
    const auto added = money::addWaitingEntry(db, e, QString::fromUtf8(buyer));
    if (!added)
        qFatal("%s", qPrintable(added.problem()));
    if (cents > 0) {
        money::Deposit d;
        d.entryId = added.value();
        d.cents = cents;
        d.paid = QDate(2026, 8, 10);
        d.litterId = litter;
        if (!money::takeDeposit(db, d, QString::fromUtf8(buyer)))
            qFatal("no deposit");
    }
    return added.value();
}

template <class T> T *child(QWidget *screen, const char *name)
{
    T *found = screen->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no %s", name);
    return found;
}

// Gives the button the focus and presses Enter on it, as a keyboard user does.
void pressButton(QWidget *screen, const char *name)
{
    focusOn(child<QPushButton>(screen, name));
    pressKey(Qt::Key_Return);
}

void typeInto(QWidget *screen, const char *name, const QString &text)
{
    auto *box = child<QLineEdit>(screen, name);
    focusOn(box);
    box->selectAll();
    typeKeys(text);
}

void chooseIn(QWidget *screen, const char *name, const QString &text)
{
    auto *box = child<QComboBox>(screen, name);
    focusOn(box);
    const int at = box->findText(text);
    if (at < 0)
        qFatal("%s offers no %s", name, qPrintable(text));
    // Down or up one entry at a time, as the arrow keys go.
    while (box->currentIndex() != at)
        pressKey(box->currentIndex() < at ? Qt::Key_Down : Qt::Key_Up);
}

} // namespace

class MoneyTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { core::Clock::setToday(QDate(2026, 12, 8)); }
    void depositsAreTakenRefundedAndCarriedByKeys();
    void newBuyerIsAddedToTheContactsFromTheList();
    void pickOrderMovesByButtonAndByDrop();
    void pupIsMatchedToOneBuyerOnly();
    void saleTakesInTheDepositOnceAndTheReceiptShowsTheBalance();
    void saleCorrectedForTheSameBuyerKeepsItsDeposit();
    void depositAbovePriceStopsTheSale();
    void totalsHoldWithHugeAndNegativeAmounts_data();
    void totalsHoldWithHugeAndNegativeAmounts();
    void accountsScreenAddsAndRefusesByKeys();
    void issuedContractStaysAsIssued();
    void contractIsFilledAsPlainText_data();
    void contractIsFilledAsPlainText();
    void contactRenamedOrDeletedLeavesNothingPointingNowhere();
    void killedSaleLandsWholeInBothFiles();
};

void MoneyTest::depositsAreTakenRefundedAndCarriedByKeys()
{
    Kennel kennel;
    MessageRecorder messages;
    const Litters l = addLitters(kennel.db());
    Window app;
    app.choose("contactsMenu", "Waiting List...");
    auto *screen = app.shown<money::WaitingListScreen>("WaitingList");
    focusOnList(child<ui::PickList>(screen, "contact"));
    typeKeys("Zoë O'Brien");
    pressKey(Qt::Key_Tab);
    typeInto(screen, "colour", "Fawn");
    chooseIn(screen, "litter",
             child<QComboBox>(screen, "litter")
                 ->itemText(child<QComboBox>(screen, "litter")->findData(l.first)));
    pressKey(Qt::Key_Return);
    QCOMPARE(messages.texts.join(" | "), QString());
    const QSqlDatabase db = kennel.db();
    QCOMPARE(scalar(db, "SELECT contactid || ':' || litterid || ':' || status || ':' || "
                        "wantcolour || ':' || pickorder || ':' || enquired FROM waitinglist")
                 .toString(),
             QStringLiteral("%1:%2:Enquiry:Fawn:1:2026-12-08")
                 .arg(contactId(db, "Zoë O'Brien"))
                 .arg(l.first));

    typeInto(screen, "depositAmount", "500");
    pressButton(screen, "takeDeposit");
    QCOMPARE(
        scalar(db, "SELECT amount || ':' || outcome || ':' || litterid FROM deposits").toString(),
        QStringLiteral("50000:Held:%1").arg(l.first));
    QCOMPARE(scalar(db, "SELECT status FROM waitinglist").toString(), "Deposit paid");

    // More back than was paid: refused, nothing written.
    typeInto(screen, "refundAmount", "600");
    pressButton(screen, "refundDeposit");
    QCOMPARE(messages.texts.takeLast(), "A refund of $600.00 is more than the deposit of $500.00.");
    QCOMPARE(scalar(db, "SELECT outcome FROM deposits").toString(), "Held");
    typeInto(screen, "refundAmount", "200");
    typeInto(screen, "refundDate", "8/9/26");
    pressButton(screen, "refundDeposit");
    QCOMPARE(messages.texts.takeLast(),
             "The refund cannot come before the deposit was paid (12/8/2026).");
    typeInto(screen, "refundDate", "12/9/26");
    pressButton(screen, "refundDeposit");
    QCOMPARE(scalar(db, "SELECT outcome || ':' || refundamount || ':' || refundedon FROM deposits")
                 .toString(),
             "Refunded:20000:2026-12-09");

    // A second deposit is carried to the spring litter, and the entry with it.
    typeInto(screen, "depositAmount", "$1,000.50");
    pressButton(screen, "takeDeposit");
    chooseIn(screen, "carryTo",
             child<QComboBox>(screen, "carryTo")
                 ->itemText(child<QComboBox>(screen, "carryTo")->findData(l.second)));
    pressButton(screen, "carryDeposit");
    QCOMPARE(scalar(db, "SELECT outcome || ':' || litterid FROM deposits WHERE amount = 100050")
                 .toString(),
             QStringLiteral("Carried:%1").arg(l.second));
    QCOMPARE(scalar(db, "SELECT litterid FROM waitinglist").toLongLong(), l.second);
    QCOMPARE(messages.texts.join(" | "), QString());

    // Each deposit and refund is in the accounts once, linked; the carried one counts for the
    // spring litter.
    QCOMPARE(scalar(db, "SELECT group_concat(kind || ':' || category || ':' || amount || ':' || "
                        "litterid, '|') FROM (SELECT * FROM accounts ORDER BY accountid)")
                 .toString(),
             QStringLiteral("Income:Deposit:50000:%1|Expense:Refund:20000:%1|Income:Deposit:"
                            "100050:%2")
                 .arg(l.first)
                 .arg(l.second));
    const auto litters = money::litterAccounts(db);
    QVERIFY(litters.ok());
    QCOMPARE(litters.value().size(), size_t(2));
    // Deposits with what is left of them, by litter, latest born first.
    QCOMPARE(litters.value()[0].balance, 100050);
    QCOMPARE(litters.value()[1].balance, 30000);
    QCOMPARE(child<QTableView>(screen, "entries")->model()->index(0, 7).data().toString(),
             "$1,000.50");

    // Undone, the carry goes back whole, and the screen shows the files as they are again.
    messages.answers = {true};
    focusOn(child<QTableWidget>(screen, "deposits"));
    pressKey(Qt::Key_Z, Qt::ControlModifier);
    QTRY_COMPARE(messages.texts.size(), 1);
    QVERIFY(messages.texts.takeLast().startsWith(
        "Undo \u201cCarried the deposit of Zoë O'Brien to another litter\u201d"));
    QCOMPARE(scalar(db, "SELECT outcome || ':' || litterid FROM deposits WHERE amount = 100050")
                 .toString(),
             QStringLiteral("Held:%1").arg(l.first));
    QCOMPARE(scalar(db, "SELECT litterid FROM waitinglist").toLongLong(), l.first);
    QCOMPARE(scalar(db, "SELECT litterid FROM accounts WHERE amount = 100050").toLongLong(),
             l.first);
    QTRY_COMPARE(child<QComboBox>(screen, "litter")->currentData().toLongLong(), l.first);
}

void MoneyTest::newBuyerIsAddedToTheContactsFromTheList()
{
    Kennel kennel;
    MessageRecorder messages;
    addLitters(kennel.db());
    Window app;
    app.choose("contactsMenu", "Waiting List...");
    auto *screen = app.shown<money::WaitingListScreen>("WaitingList");
    focusOnList(child<ui::PickList>(screen, "contact"));
    typeKeys("Ærø Quist");
    pressKey(Qt::Key_Tab);
    typeInto(screen, "enquired", "13/45/26");
    pressKey(Qt::Key_Return);
    // The day that is not one comes first: nothing is written, the contact neither.
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY(messages.texts[0].contains("13/45/26"));
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM contacts WHERE last = 'Ærø Quist'").toInt(),
             0);
    typeInto(screen, "enquired", "11/30/26");
    messages.answers = {true};
    pressKey(Qt::Key_Return);
    QCOMPARE(messages.texts.size(), 2);
    QCOMPARE(messages.texts[1], "Ærø Quist is not in the contact book. Add it as a new contact?");
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM contacts WHERE last = 'Ærø Quist'").toInt(),
             1);
    QCOMPARE(scalar(kennel.db(), "SELECT c.last || ':' || w.enquired FROM waitinglist w JOIN "
                                 "contacts c USING (contactid)")
                 .toString(),
             "Ærø Quist:2026-11-30");
}

void MoneyTest::pickOrderMovesByButtonAndByDrop()
{
    Kennel kennel;
    MessageRecorder messages;
    const Litters l = addLitters(kennel.db());
    const QSqlDatabase db = kennel.db();
    for (const char *buyer : {"Zoë O'Brien", "Ann Lee", "Bob Hale"})
        entryWithDeposit(db, buyer, l.first, 0, 0);
    entryWithDeposit(db, "Ann Lee", 0, 0, 0);
    Window app;
    app.choose("contactsMenu", "Waiting List...");
    auto *screen = app.shown<money::WaitingListScreen>("WaitingList");
    chooseIn(screen, "litterFilter",
             child<QComboBox>(screen, "litterFilter")
                 ->itemText(child<QComboBox>(screen, "litterFilter")->findData(l.first)));
    auto *picks = child<QListWidget>(screen, "pickOrder");
    auto order = [&] {
        return scalar(db,
                      "SELECT group_concat(c.last, ', ') FROM (SELECT * FROM waitinglist "
                      "WHERE litterid = ? ORDER BY pickorder) w JOIN contacts c USING "
                      "(contactid)",
                      {l.first})
            .toString();
    };
    QCOMPARE(ui::listTexts(picks), QStringList({"1. Zoë O'Brien", "2. Ann Lee", "3. Bob Hale"}));
    picks->setCurrentRow(2);
    pressButton(screen, "pickUp");
    QCOMPARE(order(), "Zoë O'Brien, Bob Hale, Ann Lee");
    QCOMPARE(ui::listTexts(picks), QStringList({"1. Zoë O'Brien", "2. Bob Hale", "3. Ann Lee"}));
    // Dragged to the end, as a drop in the list moves it.
    QVERIFY(picks->model()->moveRow(QModelIndex(), 0, QModelIndex(), 3));
    QCOMPARE(order(), "Bob Hale, Ann Lee, Zoë O'Brien");
    // The next litter's list kept its own order.
    QCOMPARE(scalar(db, "SELECT pickorder FROM waitinglist WHERE litterid IS NULL").toInt(), 1);
    // Filtered by status and sorted by contact.
    chooseIn(screen, "statusFilter", "Matched");
    QCOMPARE(child<QTableView>(screen, "entries")->model()->rowCount(), 0);
    chooseIn(screen, "statusFilter", "All statuses");
    child<QTableView>(screen, "entries")
        ->sortByColumn(money::WaitingListModel::Contact, Qt::AscendingOrder);
    QCOMPARE(child<QTableView>(screen, "entries")->model()->index(0, 1).data().toString(),
             "Ann Lee");
    QCOMPARE(messages.texts.join(" | "), QString());
}

void MoneyTest::pupIsMatchedToOneBuyerOnly()
{
    Kennel kennel;
    MessageRecorder messages;
    const Litters l = addLitters(kennel.db());
    entryWithDeposit(kennel.db(), "Ann Lee", l.first, l.pip, 0);
    const qint64 zoe = entryWithDeposit(kennel.db(), "Zoë O'Brien", l.first, 0, 0);
    Window app;
    app.choose("contactsMenu", "Waiting List...");
    auto *screen = app.shown<money::WaitingListScreen>("WaitingList");
    auto *table = child<QTableView>(screen, "entries");
    for (int row = 0; row < table->model()->rowCount(); ++row) {
        if (table->model()->index(row, 0).data(money::WaitingListModel::idRole).toLongLong() == zoe)
            table->setCurrentIndex(table->model()->index(row, 0));
    }
    QCOMPARE(child<ui::PickList>(screen, "contact")->text(), "Zoë O'Brien");
    chooseIn(screen, "pup", "Kirkwood Pip (Male)");
    QCOMPARE(child<QComboBox>(screen, "status")->currentText(), "Matched");
    pressKey(Qt::Key_Return);
    QCOMPARE(messages.texts,
             QStringList({"That pup is already matched to Ann Lee. Take that match back first."}));
    QCOMPARE(
        scalar(kennel.db(), "SELECT count(*) FROM waitinglist WHERE dogid = ?", {l.pip}).toInt(),
        1);
    chooseIn(screen, "pup", "Kirkwood Tia (Female)");
    pressKey(Qt::Key_Return);
    QCOMPARE(messages.texts.size(), 1);
    QCOMPARE(scalar(kennel.db(), "SELECT dogid || ':' || status FROM waitinglist WHERE entryid = ?",
                    {zoe})
                 .toString(),
             QStringLiteral("%1:Matched").arg(l.tia));
}

void MoneyTest::saleTakesInTheDepositOnceAndTheReceiptShowsTheBalance()
{
    Kennel kennel;
    MessageRecorder messages;
    const Litters l = addLitters(kennel.db());
    const QSqlDatabase db = kennel.db();
    const qint64 entry = entryWithDeposit(db, "Ann Lee", l.first, l.pip, 50000);
    // Another buyer's deposit stays theirs.
    entryWithDeposit(db, "Bob Hale", l.first, 0, 30000);
    Window app;
    app.window.mainMenu()->button("Sell a Dog")->click();
    auto *sell = app.shown<sales::SellDogScreen>("Form10");
    auto sale = [&](const char *buyer, const QString &amount, const char *receipt) {
        focusOnList(child<ui::PickList>(sell, "dogs"));
        typeKeys("Kirkwood Pip");
        pressKey(Qt::Key_Tab);
        typeInto(sell, "amount", amount);
        focusOnList(child<ui::PickList>(sell, "buyers"));
        typeKeys(QString::fromUtf8(buyer));
        pressKey(Qt::Key_Tab);
        pressButton(sell, receipt);
    };
    sale("Ann Lee", "1,500", "smallReceipt");
    QCOMPARE(messages.texts.join(" | "), QString());
    QCOMPARE(sell->detail("deposit"), "$500.00 paid, $1,000.00 due");
    QCOMPARE(scalar(db, "SELECT deposit || ':' || balancedue || ':' || sellamount FROM "
                        "report.reciept")
                 .toString(),
             "50000:100000:150000");
    auto *receipt = app.shown<app::ReportPreview>("SalesReciept");
    QCOMPARE(receipt->shownPage().texts(0).count("Balance Due"), 2);
    QCOMPARE(receipt->shownPage().texts(0).count("$1,000.00"), 2);
    QCOMPARE(scalar(db, "SELECT outcome || ':' || salesid FROM deposits WHERE amount = 50000")
                 .toString(),
             "Applied:1");
    QCOMPARE(scalar(db, "SELECT outcome FROM deposits WHERE amount = 30000").toString(), "Held");
    QCOMPARE(scalar(db, "SELECT status FROM waitinglist WHERE entryid = ?", {entry}).toString(),
             "Sold");
    auto saleEntries = [&] {
        return scalar(db, "SELECT group_concat(amount || ':' || sourceid || ':' || dogid || ':' "
                          "|| litterid, '|') FROM accounts WHERE source = 'Sale'")
            .toString();
    };
    QCOMPARE(saleEntries(), QStringLiteral("100000:1:%1:%2").arg(l.pip).arg(l.first));
    // The other receipt of the same sale records nothing more.
    pressButton(sell, "pedigreeReceipt");
    QCOMPARE(scalar(db, "SELECT deposit || ':' || balancedue FROM report.largereciept").toString(),
             "50000:100000");
    QCOMPARE(scalar(db, "SELECT count(*) FROM report.sales").toInt(), 1);

    // Sold once more while the screen stays open: one income entry, the latest sale's.
    messages.answers = {true};
    sale("Bob Hale", "1,600", "smallReceipt");
    QCOMPARE(scalar(db, "SELECT count(*) FROM report.sales").toInt(), 2);
    QCOMPARE(saleEntries(), QStringLiteral("130000:2:%1:%2").arg(l.pip).arg(l.first));
    QCOMPARE(scalar(db, "SELECT deposit || ':' || balancedue FROM report.reciept").toString(),
             "30000:130000");
    // Ann's deposit is hers again, and she waits for another pup.
    QCOMPARE(scalar(db, "SELECT d.outcome || ':' || w.status || ':' || coalesce(w.dogid, 0) FROM "
                        "deposits d JOIN waitinglist w USING (entryid) WHERE d.amount = 50000")
                 .toString(),
             "Held:Deposit paid:0");
    const auto year = money::yearAccounts(db, 2026);
    QVERIFY(year.ok());
    // 500 + 300 of deposits and the two balances' latest.
    QCOMPARE(year.value().incomeTotal, 50000 + 30000 + 130000);
}

void MoneyTest::saleCorrectedForTheSameBuyerKeepsItsDeposit()
{
    Kennel kennel;
    MessageRecorder messages;
    const Litters l = addLitters(kennel.db());
    const QSqlDatabase db = kennel.db();
    // Two entries for the next litter: the first in the pick order pays toward this pup.
    entryWithDeposit(db, "Ann Lee", 0, 0, 50000);
    entryWithDeposit(db, "Ann Lee", 0, 0, 20000);
    Window app;
    app.window.mainMenu()->button("Sell a Dog")->click();
    auto *sell = app.shown<sales::SellDogScreen>("Form10");
    auto sale = [&](const QString &amount) {
        child<ui::PickList>(sell, "dogs")->setText("Kirkwood Pip");
        typeInto(sell, "amount", amount);
        child<ui::PickList>(sell, "buyers")->setText("Ann Lee");
        pressButton(sell, "smallReceipt");
    };
    sale("1500");
    messages.answers = {true};
    sale("1400");
    QCOMPARE(messages.texts, QStringList({"Kirkwood Pip was just sold to Ann Lee. Sell it again "
                                          "to Ann Lee?"}));
    QCOMPARE(scalar(db, "SELECT count(*) FROM report.sales").toInt(), 2);
    QCOMPARE(scalar(db, "SELECT group_concat(amount || ':' || outcome || ':' || coalesce(salesid, "
                        "0) || ':' || coalesce(litterid, 0), '|') FROM deposits")
                 .toString(),
             QStringLiteral("50000:Applied:2:%1|20000:Held:0:0").arg(l.first));
    QCOMPARE(scalar(db, "SELECT group_concat(source || ':' || amount || ':' || litterid || ':' || "
                        "dogid, '|') FROM accounts WHERE source IN ('Sale', 'Deposit') AND "
                        "dogid IS NOT NULL")
                 .toString(),
             QStringLiteral("Deposit:50000:%1:%2|Sale:90000:%1:%2").arg(l.first).arg(l.pip));
    QCOMPARE(scalar(db, "SELECT deposit || ':' || balancedue FROM report.reciept").toString(),
             "50000:90000");
    QCOMPARE(scalar(db, "SELECT group_concat(status, '|') FROM (SELECT status FROM waitinglist "
                        "ORDER BY entryid)")
                 .toString(),
             "Sold|Deposit paid");
}

void MoneyTest::depositAbovePriceStopsTheSale()
{
    Kennel kennel;
    MessageRecorder messages;
    const Litters l = addLitters(kennel.db());
    entryWithDeposit(kennel.db(), "Ann Lee", l.first, l.pip, 200000);
    Window app;
    app.window.mainMenu()->button("Sell a Dog")->click();
    auto *sell = app.shown<sales::SellDogScreen>("Form10");
    child<ui::PickList>(sell, "dogs")->setText("Kirkwood Pip");
    typeInto(sell, "amount", "1500");
    focusOnList(child<ui::PickList>(sell, "buyers"));
    typeKeys("Ann Lee");
    pressKey(Qt::Key_Tab);
    pressButton(sell, "smallReceipt");
    QCOMPARE(messages.texts,
             QStringList({"The deposits held ($2,000.00) are more than the price ($1,500.00). "
                          "Refund the difference on the Waiting List first, or type a price of "
                          "at least the deposits."}));
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM report.sales").toInt(), 0);
    QCOMPARE(scalar(kennel.db(), "SELECT ownerid FROM Dogtable WHERE dogid = ?", {l.pip}),
             QVariant(kennelOwner));
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM accounts WHERE source = 'Sale'").toInt(), 0);
}

void MoneyTest::totalsHoldWithHugeAndNegativeAmounts_data()
{
    constexpr qint64 most = std::numeric_limits<qint64>::max();
    constexpr qint64 huge = 99'999'999'999'999; // just under a trillion, the most one can type
    QTest::addColumn<QList<qint64>>("income");
    QTest::addColumn<QList<qint64>>("expenses");
    QTest::addColumn<qint64>("incomeTotal");
    QTest::addColumn<qint64>("balance");
    QTest::newRow("ordinary") << QList<qint64>{150000, 50} << QList<qint64>{120000} << 150050LL
                              << 30050LL;
    QTest::newRow("a correction below nothing")
        << QList<qint64>{150000, -20000} << QList<qint64>{-500} << 130000LL << 130500LL;
    QTest::newRow("huge amounts add up exactly")
        << QList<qint64>(1000, huge) << QList<qint64>{huge} << 1000 * huge << 999 * huge;
    QTest::newRow("past what a number holds, held at the most")
        << QList<qint64>{most, most, 5} << QList<qint64>{} << most << most;
    QTest::newRow("the balance of huge expenses") << QList<qint64>{} << QList<qint64>{most, most}
                                                  << 0LL << std::numeric_limits<qint64>::min();
}

void MoneyTest::totalsHoldWithHugeAndNegativeAmounts()
{
    QFETCH(QList<qint64>, income);
    QFETCH(QList<qint64>, expenses);
    QFETCH(qint64, incomeTotal);
    QFETCH(qint64, balance);
    Kennel kennel;
    const Litters l = addLitters(kennel.db());
    for (const bool in : {true, false}) {
        for (const qint64 cents : in ? income : expenses)
            exec(kennel.db(),
                 "INSERT INTO accounts (entrydate, amount, kind, category, litterid) VALUES "
                 "('2026-03-15', ?, ?, ?, ?)",
                 {cents, in ? "Income" : "Expense", in ? "Sale" : "Vet", l.first});
    }
    const auto year = money::yearAccounts(kennel.db(), 2026);
    QVERIFY(year.ok());
    QCOMPARE(year.value().incomeTotal, incomeTotal);
    QCOMPARE(year.value().balanceTotal, balance);
    QCOMPARE(year.value().balance[2], balance);
    QCOMPARE(year.value().balance[3], 0);
    const auto litters = money::litterAccounts(kennel.db());
    QVERIFY(litters.ok());
    QCOMPARE(litters.value().at(0).balance, balance);
    // The report lays the year out whatever the sums.
    QVERIFY(money::yearAccountsReport(2026).layout().pages.size() >= 1);
}

void MoneyTest::accountsScreenAddsAndRefusesByKeys()
{
    Kennel kennel;
    MessageRecorder messages;
    const Litters l = addLitters(kennel.db());
    Window app;
    app.choose("moneyMenu", "Accounts...");
    auto *screen = app.shown<money::AccountsScreen>("Accounts");
    typeInto(screen, "amount", "12x");
    pressKey(Qt::Key_Return);
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY(messages.texts.takeLast().startsWith("The Amount"));
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM accounts").toInt(), 0);
    typeInto(screen, "amount", "-45.50");
    chooseIn(screen, "category", "Health tests");
    QCOMPARE(child<QComboBox>(screen, "kind")->currentText(), "Expense");
    child<ui::PickList>(screen, "dog")->setText("Kirkwood Pip");
    typeInto(screen, "note", "Refund of a \"double\" charge, 50% off");
    pressKey(Qt::Key_Return);
    QCOMPARE(messages.texts.join(" | "), QString());
    QCOMPARE(scalar(kennel.db(), "SELECT entrydate || ':' || amount || ':' || kind || ':' || "
                                 "category || ':' || dogid || ':' || note FROM accounts")
                 .toString(),
             QStringLiteral("2026-12-08:-4550:Expense:Health tests:%1:Refund of a \"double\" "
                            "charge, 50% off")
                 .arg(l.pip));
    QCOMPARE(child<QLabel>(screen, "totals")->text(),
             "Income $0.00    Expenses -$45.50    Balance $45.50");
    // An entry a deposit wrote is the deposit's to change.
    entryWithDeposit(kennel.db(), "Ann Lee", l.first, 0, 10000);
    screen->refresh();
    auto *table = child<QTableView>(screen, "entries");
    for (int row = 0; row < table->model()->rowCount(); ++row) {
        if (table->model()->index(row, money::AccountsModel::Source).data().toString() == "Deposit")
            table->setCurrentIndex(table->model()->index(row, 0));
    }
    pressButton(screen, "deleteEntry");
    QCOMPARE(messages.texts, QStringList({"This entry is the deposit's: change the deposit on the "
                                          "Waiting List instead."}));
    QCOMPARE(scalar(kennel.db(), "SELECT count(*) FROM accounts").toInt(), 2);
    // The breeder's own category is offered from then on.
    pressButton(screen, "newEntry");
    child<QComboBox>(screen, "category")->setCurrentText("Grooming");
    typeInto(screen, "amount", "30");
    pressKey(Qt::Key_Return);
    screen->refresh();
    QVERIFY(child<QComboBox>(screen, "category")->findText("Grooming") >= 0);
    const QByteArray csv = money::accountsCsv(
        kennel.db(),
        *qobject_cast<money::AccountsModel *>(child<QTableView>(screen, "entries")->model())
             ->entriesInOrder());
    QVERIFY(csv.startsWith("date,kind,category,amount,note,dog,litter,source\n"));
    QVERIFY(csv.contains("2026-12-08,Expense,Health tests,-45.50,\"Refund of a \"\"double\"\" "
                         "charge, 50% off\",Kirkwood Pip,,\n"));
}

void MoneyTest::contractIsFilledAsPlainText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("filled");
    QTest::newRow("nothing escaped") << "{{buyer}} buys {{pup}}"
                                     << "Zoë O'Brien & <Co> buys \"{{pup}}\" Rex";
    QTest::newRow("blanks inside the braces") << "{{ buyer }}."
                                              << "Zoë O'Brien & <Co>.";
    QTest::newRow("unknown, with a dot") << "{{buyer.name}} {{wrong}}"
                                         << "{{buyer.name}} {{wrong}}";
    QTest::newRow("a field not filled in is empty") << "[{{coi}}]"
                                                    << "[]";
}

void MoneyTest::contractIsFilledAsPlainText()
{
    QFETCH(QString, text);
    QFETCH(QString, filled);
    // A value that looks like a field is printed as it is, never filled again.
    const QHash<QString, QString> values{
        {"buyer", "Zoë O'Brien & <Co>"}, {"pup", "\"{{pup}}\" Rex"}, {"coi", ""}};
    QCOMPARE(money::templateProblem(text), QString());
    QCOMPARE(money::fillContract(text, values), filled);
}

void MoneyTest::issuedContractStaysAsIssued()
{
    Kennel kennel;
    MessageRecorder messages;
    const Litters l = addLitters(kennel.db());
    const QSqlDatabase db = kennel.db();
    exec(db,
         "UPDATE Dogtable SET Microchip = '956000011112222', registration = 'R-1' WHERE "
         "dogid = ?",
         {l.pip});
    entryWithDeposit(db, "Ann Lee", l.first, l.pip, 50000);
    exec(db, "UPDATE contacts SET address = '2 Quarry Rd', city = 'Ballarat' WHERE last = "
             "'Ann Lee'");
    QVERIFY(money::setContractTemplate(db, "{{pup}} ({{microchip}}) to {{buyer}}, "
                                           "{{buyer_address}}: {{price}} less {{deposit}} is "
                                           "{{balance}}. Sire {{sire}}. COI {{coi}}. {{wrong}}")
                .ok());
    Window app;
    app.window.mainMenu()->button("Sell a Dog")->click();
    auto *sell = app.shown<sales::SellDogScreen>("Form10");
    child<ui::PickList>(sell, "dogs")->setText("Kirkwood Pip");
    typeInto(sell, "amount", "1500");
    child<ui::PickList>(sell, "buyers")->setText("Ann Lee");
    pressButton(sell, "smallReceipt");
    pressButton(sell, "contract");
    auto *contracts = app.shown<money::ContractsScreen>("Contracts");
    focusOn(child<QPlainTextEdit>(contracts, "contractText"));
    pressKey(Qt::Key_Return);
    QCOMPARE(messages.texts, QStringList({"The template holds fields Houndry does not know: "
                                          "{{wrong}}. They are shown as written."}));
    const QString issued =
        "Kirkwood Pip (956000011112222) to Ann Lee, 2 Quarry Rd\nBallarat: $1,500.00 less "
        "$500.00 is $1,000.00. Sire Rex. COI 0.00%. {{wrong}}";
    QCOMPARE(scalar(db, "SELECT contracttext FROM contracts WHERE salesid = 1").toString(), issued);
    QCOMPARE(scalar(db, "SELECT dogid || ':' || contactid FROM contracts").toString(),
             QStringLiteral("%1:%2").arg(l.pip).arg(contactId(db, "Ann Lee")));
    auto *preview = app.shown<app::ReportPreview>("ContractOfSale");
    QVERIFY(preview->shownPage().find(0, "Ballarat: $1,500.00 less $500.00 is $1,000.00. Sire "
                                         "Rex. COI 0.00%. {{wrong}}"));

    // The template changes; what was issued does not.
    app.choose("moneyMenu", "Contract Template...");
    auto *edit = app.shown<money::ContractTemplateScreen>("ContractTemplate");
    auto *text = child<QPlainTextEdit>(edit, "template");
    focusOn(text);
    text->selectAll();
    typeKeys("New terms for {{pup}}.");
    pressButton(edit, "save");
    QCOMPARE(money::contractTemplate(db), "New terms for {{pup}}.");
    contracts->refresh();
    QCOMPARE(child<QPlainTextEdit>(contracts, "contractText")->toPlainText(), issued);
    QCOMPARE(scalar(db, "SELECT count(*) FROM contracts").toInt(), 1);
    QCOMPARE(messages.texts.size(), 1);

    // A section opened and never closed cannot be filled: refused, the saved template kept.
    focusOn(text);
    text->selectAll();
    typeKeys("{{#terms}} for {{pup}}.");
    pressButton(edit, "save");
    QCOMPARE(money::contractTemplate(db), "New terms for {{pup}}.");
    QCOMPARE(messages.texts.size(), 2);
    QVERIFY2(messages.texts.last().startsWith(
                 "The template could not be written (its tags cannot be read: ") &&
                 messages.texts.last().endsWith("). Nothing has been changed."),
             qPrintable(messages.texts.last()));
}

void MoneyTest::contactRenamedOrDeletedLeavesNothingPointingNowhere()
{
    Kennel kennel;
    MessageRecorder messages;
    const Litters l = addLitters(kennel.db());
    const QSqlDatabase db = kennel.db();
    entryWithDeposit(db, "Ann Lee", l.first, 0, 0);
    entryWithDeposit(db, "Ann Lee", 0, 0, 0);
    entryWithDeposit(db, "Bob Hale", l.first, 0, 10000);
    // Renamed as the contact screens rename: the entries follow.
    exec(db, "UPDATE contacts SET last = 'Ann Lee-Smith' WHERE last = 'Ann Lee'");
    Window app;
    app.choose("contactsMenu", "Waiting List...");
    auto *screen = app.shown<money::WaitingListScreen>("WaitingList");
    QCOMPARE(screen->findChild<QTableView *>("entries")->model()->index(0, 1).data().toString(),
             "Ann Lee-Smith");

    auto plan = [&](const char *name) {
        const auto planned = contacts::plannedContactRemoval(db, contactId(db, name));
        if (!planned)
            qFatal("no plan");
        return planned.value();
    };
    const contacts::ContactRemoval bob = plan("Bob Hale");
    QCOMPARE(contacts::contactRemovalRefusal(bob),
             "Bob Hale paid deposits on the waiting list, which the accounts keep: the contact "
             "cannot be deleted. Keep the contact and set the entries to \"Withdrawn\".");
    const contacts::ContactRemoval ann = plan("Ann Lee-Smith");
    QCOMPARE(contacts::contactRemovalRefusal(ann), QString());
    QCOMPARE(contacts::contactRemovalQuestion(ann),
             "Delete Ann Lee-Smith? Its waiting-list entries (2) are deleted with it.");
    QVERIFY(contacts::removeContact(db, ann, false).ok());
    QCOMPARE(scalar(db, "SELECT count(*) FROM waitinglist w WHERE NOT EXISTS (SELECT 1 FROM "
                        "contacts c WHERE c.contactid = w.contactid)")
                 .toInt(),
             0);
    QCOMPARE(scalar(db, "SELECT count(*) FROM waitinglist").toInt(), 1);
}

void MoneyTest::killedSaleLandsWholeInBothFiles()
{
    WorkingFolder folder;
    for (int run = 0; run < 6; ++run) {
        QProcess writer;
        writer.setProgram(QStringLiteral(SALE_WRITER));
        writer.setArguments({folder.path()});
        writer.start();
        QVERIFY(writer.waitForStarted());
        QVERIFY(writer.waitForReadyRead(20000));
        QTest::qWait(int(QRandomGenerator::global()->bounded(50, 400)));
        writer.kill();
        writer.waitForFinished();

        QCOMPARE(db::DatabaseFiles::open(), QString());
        const QSqlDatabase db = db::DatabaseFiles::kennel();
        const qint64 sales = scalar(db, "SELECT count(*) FROM report.sales").toLongLong();
        QVERIFY(sales > 0);
        // Every sale has its income entry, its applied deposit, its receipt row and its new
        // owner; nothing of a sale that did not land.
        QCOMPARE(scalar(db, "SELECT count(*) FROM accounts WHERE source = 'Sale' AND sourceid IN "
                            "(SELECT salesid FROM report.sales)")
                     .toLongLong(),
                 sales);
        QCOMPARE(scalar(db, "SELECT count(*) FROM accounts WHERE source = 'Sale'").toLongLong(),
                 sales);
        QCOMPARE(scalar(db, "SELECT count(*) FROM deposits WHERE outcome = 'Applied' AND salesid "
                            "IN (SELECT salesid FROM report.sales)")
                     .toLongLong(),
                 sales);
        QCOMPARE(scalar(db, "SELECT count(*) FROM deposits WHERE outcome = 'Applied'").toLongLong(),
                 sales);
        QCOMPARE(scalar(db,
                        "SELECT count(*) FROM Dogtable d WHERE ownerid <> ? AND EXISTS "
                        "(SELECT 1 FROM report.sales s WHERE s.dogsold = d.name AND s.soldto "
                        "= d.ownerid)",
                        {kennelOwner})
                     .toLongLong(),
                 sales);
        QCOMPARE(scalar(db, "SELECT salesnumber FROM report.reciept").toLongLong(),
                 scalar(db, "SELECT max(salesid) FROM report.sales").toLongLong());
        db::DatabaseFiles::close();
    }
}

QTEST_MAIN(MoneyTest)
#include "tst_money.moc"
