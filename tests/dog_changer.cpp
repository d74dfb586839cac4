// Renames, deletes or merges dogs, each in its transaction with its change-log entry, until
// it is killed: the crash-safety tests kill it in the middle of one.
#include "core/WriteResult.h"
#include "db/ChangeLog.h"
#include "db/DatabaseFiles.h"
#include "db/Fields.h"
#include "db/Transaction.h"
#include "dogs/DogMerge.h"
#include "dogs/DogRemoval.h"
#include "kennel/NameLinks.h"

#include <cstdio>
#include <QCoreApplication>
#include <QSqlQuery>

namespace {

// As the dog records screen saves a rename answered Yes.
core::WriteResult<> rename(const QSqlDatabase &kennel, const QString &from, const QString &to)
{
    db::Transaction transaction(kennel);
    db::LoggedChange logged(kennel, QStringLiteral("Renamed %1 to %2").arg(from, to));
    QList<kennel::Naming> naming;
    QString problem;
    if (!kennel::findNaming(kennel, kennel::dogLinks(), from, &naming, &problem))
        return core::failure(problem);
    QSqlQuery q(kennel);
    q.prepare(QStringLiteral("UPDATE Dogtable SET name = ? WHERE dogid = 1"));
    q.addBindValue(to);
    if (!q.exec())
        return core::failure(QStringLiteral("rename"));
    problem = kennel::renameNaming(kennel, naming, to);
    if (problem.isEmpty())
        problem = logged.finish();
    if (!problem.isEmpty())
        return core::failure(problem);
    return transaction.commit();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QString mode = application.arguments().value(1);
    if (!db::DatabaseFiles::open().isEmpty())
        return 1;
    const QSqlDatabase kennel = db::DatabaseFiles::kennel();
    for (qint64 round = 0;; ++round) {
        core::WriteResult<> done;
        if (mode == QLatin1String("rename")) {
            const bool titled = round % 2 == 1;
            done = rename(kennel, titled ? QStringLiteral("Rex JW") : QStringLiteral("Rex"),
                          titled ? QStringLiteral("Rex") : QStringLiteral("Rex JW"));
        } else if (mode == QLatin1String("delete")) {
            const auto removal = dogs::plannedRemoval(kennel, round + 1);
            done = removal ? dogs::removeDog(kennel, removal.value(), round % 2 == 0)
                           : core::WriteResult<>(core::failure(removal.problem()));
        } else {
            done = dogs::mergeDogs(kennel, 2 * round + 1, 2 * round + 2, {});
        }
        if (!done) {
            std::fprintf(stderr, "%s\n", qPrintable(done.problem()));
            return 2;
        }
        if (round == 0) {
            std::puts("changing");
            std::fflush(stdout);
        }
    }
}
