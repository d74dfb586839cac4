// Sells pups with deposits in a loop until it is killed: the money tests kill it mid-sale.
#include "db/DatabaseFiles.h"
#include "money/Deposits.h"
#include "money/WaitingList.h"
#include "sales/Sale.h"

#include <cstdio>
#include <QCoreApplication>
#include <QDir>
#include <QSqlQuery>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (argc < 2 || !QDir::setCurrent(QString::fromLocal8Bit(argv[1])))
        return 2;
    if (!db::DatabaseFiles::open().isEmpty())
        return 1;
    QSqlDatabase kennel = db::DatabaseFiles::kennel();
    const QString owner = QStringLiteral("Margaret Kirk");
    QSqlQuery(kennel).exec(QStringLiteral("UPDATE setup SET Name = 'Margaret Kirk'"));
    for (int i = 0;; ++i) {
        const QString tag = QStringLiteral("%1-%2").arg(QCoreApplication::applicationPid()).arg(i);
        const QString dog = QStringLiteral("Pup ") + tag;
        const QString buyer = QStringLiteral("Buyer ") + tag;
        QSqlQuery add(kennel);
        add.prepare(QStringLiteral("INSERT INTO Dogtable (name, ownerid) VALUES (?, ?)"));
        add.addBindValue(dog);
        add.addBindValue(owner);
        add.exec();
        const qint64 dogId = add.lastInsertId().toLongLong();
        add.prepare(QStringLiteral("INSERT INTO contacts (last) VALUES (?)"));
        add.addBindValue(buyer);
        add.exec();
        money::WaitingEntry entry;
        entry.contactId = add.lastInsertId().toLongLong();
        entry.enquired = QDate(2026, 1, 1);
        entry.status = money::matchedStatus;
        entry.dogId = dogId;
        money::Deposit deposit;
        deposit.entryId = money::addWaitingEntry(kennel, entry, buyer).value();
        deposit.cents = 10000;
        deposit.paid = QDate(2026, 1, 2);
        money::takeDeposit(kennel, deposit, buyer);
        const sales::SaleDetails sale{
            owner, QStringLiteral("Kirkwood"), dog, buyer, {}, {}, {}, {}, {},
            50000, QDate(2026, 2, 1)};
        if (!sales::recordSale(kennel, sale, sales::Receipt::Small, {}))
            return 3;
        if (i == 0) {
            std::printf("selling\n");
            std::fflush(stdout);
        }
    }
}
