#include "bench/MoneyBench.h"

#include "app/MainWindow.h"
#include "app/ReportPreview.h"
#include "bench/Timing.h"
#include "bench/WindowDriving.h"
#include "core/Clock.h"
#include "db/DatabaseFiles.h"
#include "money/Accounts.h"
#include "money/AccountsReports.h"
#include "money/SaleDeposits.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QSqlQuery>
#include <QVariant>

namespace bench {
namespace {

qint64 scalar(const QSqlDatabase &db, const QString &sql)
{
    QSqlQuery q(db);
    return q.exec(sql) && q.next() ? q.value(0).toLongLong() : 0;
}

// The highest id of each table the bench adds to, so that what it added goes again.
struct Marks
{
    qint64 contacts = 0;
    qint64 entries = 0;
    qint64 deposits = 0;
    qint64 accounts = 0;
};

Marks marks(const QSqlDatabase &db)
{
    return {scalar(db, "SELECT coalesce(max(rowid), 0) FROM contacts"),
            scalar(db, "SELECT coalesce(max(entryid), 0) FROM waitinglist"),
            scalar(db, "SELECT coalesce(max(depositid), 0) FROM deposits"),
            scalar(db, "SELECT coalesce(max(accountid), 0) FROM accounts")};
}

void addMoney(QSqlDatabase &db, int contacts, int entries, int accounts)
{
    const int year = core::Clock::today().year();
    db.transaction();
    QSqlQuery q(db);
    const int have = int(scalar(db, "SELECT count(*) FROM contacts"));
    q.prepare("INSERT INTO contacts (last, Title, country, breeder) VALUES (?, 'Mrs', "
              "'Australia', 'No')");
    for (int i = have; i < contacts; ++i) {
        q.addBindValue(QStringLiteral("Bench Buyer %1").arg(i));
        q.exec();
    }
    QList<qint64> litters;
    q.exec("SELECT litterid FROM litters ORDER BY litterid DESC LIMIT 50");
    while (q.next())
        litters << q.value(0).toLongLong();
    QList<qint64> contactIds;
    q.exec(
        QStringLiteral("SELECT contactid FROM contacts ORDER BY contactid LIMIT %1").arg(entries));
    while (q.next())
        contactIds << q.value(0).toLongLong();
    QSqlQuery entry(db);
    entry.prepare("INSERT INTO waitinglist (contactid, enquired, wantsex, litterid, status, "
                  "pickorder) VALUES (?, ?, 'Female', ?, ?, ?)");
    QSqlQuery deposit(db);
    deposit.prepare("INSERT INTO deposits (entryid, amount, paidon, method, outcome, litterid) "
                    "VALUES (?, 50000, ?, 'Cash', 'Held', ?)");
    for (int i = 0; i < entries && !contactIds.isEmpty(); ++i) {
        const QVariant litter =
            litters.isEmpty() ? QVariant() : QVariant(litters[i % litters.size()]);
        entry.addBindValue(contactIds[i % contactIds.size()]);
        entry.addBindValue(
            QStringLiteral("%1-03-%2").arg(year).arg(1 + i % 28, 2, 10, QLatin1Char('0')));
        entry.addBindValue(litter);
        entry.addBindValue(i % 5 == 0 ? QStringLiteral("Deposit paid") : QStringLiteral("Enquiry"));
        entry.addBindValue(1 + i / qMax(1, int(litters.size())));
        entry.exec();
        if (i % 5 == 0) {
            deposit.addBindValue(entry.lastInsertId());
            deposit.addBindValue(QStringLiteral("%1-04-01").arg(year));
            deposit.addBindValue(litter);
            deposit.exec();
        }
    }
    const QStringList categories = money::builtInCategories() << "Grooming"
                                                              << "Insurance";
    QSqlQuery account(db);
    account.prepare("INSERT INTO accounts (entrydate, amount, kind, category, note, litterid) "
                    "VALUES (?, ?, ?, ?, 'bench', ?)");
    for (int i = 0; i < accounts; ++i) {
        const QString category = categories[i % categories.size()];
        account.addBindValue(QStringLiteral("%1-%2-%3")
                                 .arg(year)
                                 .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                                 .arg(1 + i % 28, 2, 10, QLatin1Char('0')));
        account.addBindValue(1000 + (i * 7919) % 500000);
        account.addBindValue(money::incomeByDefault(category) ? "Income" : "Expense");
        account.addBindValue(category);
        account.addBindValue(
            i % 5 == 0 && !litters.isEmpty() ? QVariant(litters[i % litters.size()]) : QVariant());
        account.exec();
    }
    db.commit();
}

void removeMoney(QSqlDatabase &db, const Marks &before)
{
    db.transaction();
    QSqlQuery q(db);
    q.exec(QStringLiteral("DELETE FROM accounts WHERE accountid > %1").arg(before.accounts));
    q.exec(QStringLiteral("DELETE FROM deposits WHERE depositid > %1").arg(before.deposits));
    q.exec(QStringLiteral("DELETE FROM waitinglist WHERE entryid > %1").arg(before.entries));
    q.exec(QStringLiteral("DELETE FROM contacts WHERE rowid > %1").arg(before.contacts));
    db.commit();
}

void chooseMenu(app::MainWindow &window, const char *menu, const QString &item)
{
    for (QAction *action : window.menuBar()->findChild<QMenu *>(menu)->actions()) {
        if (action->text().remove(QLatin1Char('&')) == item)
            action->trigger();
    }
}

// Opens a screen from its menu and waits until it shows what it read; then closes it.
double openMs(app::MainWindow &window, const char *menu, const QString &item)
{
    return medianMs(
        5, [&] { open(window, [&] { chooseMenu(window, menu, item); }); },
        [&] { closeOthers(window); });
}

} // namespace

void benchMoney()
{
    if (!db::DatabaseFiles::open().isEmpty())
        qFatal("cannot open the kennel");
    QSqlDatabase kennel = db::DatabaseFiles::kennel();
    const Marks before = marks(kennel);
    const int contacts = sized(20000);
    const int entries = sized(5000);
    const int accounts = sized(200000);
    addMoney(kennel, contacts, entries, accounts);
    printValue("contacts, waiting-list entries, accounts entries this year",
               QStringLiteral("%1, %2, %3")
                   .arg(scalar(kennel, "SELECT count(*) FROM contacts"))
                   .arg(scalar(kennel, "SELECT count(*) FROM waitinglist"))
                   .arg(scalar(kennel, "SELECT count(*) FROM accounts")));
    {
        app::MainWindow window;
        window.show();
        settle([&] { return window.mainMenu() != nullptr; });
        printLine("\"Waiting List\" open (floor: 300 ms)",
                  openMs(window, "contactsMenu", "Waiting List..."), 300);
        printLine("\"Accounts\" open on this year (floor: 300 ms)",
                  openMs(window, "moneyMenu", "Accounts..."), 300);
        printLine("\"Contracts of Sale\" open (floor: 300 ms)",
                  openMs(window, "moneyMenu", "Contracts of Sale..."), 300);
        printLine("\"Contract Template\" open (floor: 300 ms)",
                  openMs(window, "moneyMenu", "Contract Template..."), 300);
    }
    const int year = core::Clock::today().year();
    printLine("\"Year Accounts\": first page laid out (floor: 1 s)",
              medianMs(5,
                       [&] {
                           const report::PagedLayout pages =
                               money::yearAccountsReport(year).pages();
                           pages.page(0);
                       }),
              1000);
    printLine("\"Litter Accounts\": first page laid out (floor: 1 s)",
              medianMs(5,
                       [&] {
                           const report::PagedLayout pages = money::litterAccountsReport().pages();
                           pages.page(0);
                       }),
              1000);
    printLine("deposits held for a buyer and a pup",
              medianMs(25, [&] { money::heldForSale(kennel, 1, 1); }), -1);
    removeMoney(kennel, before);
    kennel = QSqlDatabase();
    db::DatabaseFiles::close();
}

} // namespace bench
