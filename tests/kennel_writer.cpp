// Writes dogs in transactions, forever, so that a test can kill it in the middle of one.
#include "db/DatabaseFiles.h"
#include "db/Transaction.h"

#include <cstdio>
#include <QCoreApplication>
#include <QSqlQuery>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (!db::DatabaseFiles::open().isEmpty())
        return 1;
    QSqlDatabase kennel = db::DatabaseFiles::kennel();
    for (int batch = 0;; ++batch) {
        db::Transaction transaction(kennel);
        QSqlQuery q(kennel);
        q.prepare(QStringLiteral("INSERT INTO Dogtable (name, registration) VALUES (?, ?)"));
        for (int i = 0; i < 500; ++i) {
            q.addBindValue(QStringLiteral("Dog %1-%2").arg(batch).arg(i));
            q.addBindValue(QString(2000, QLatin1Char('x')));
            q.exec();
        }
        transaction.commit();
        if (batch == 0) {
            std::puts("writing");
            std::fflush(stdout);
        }
    }
}
