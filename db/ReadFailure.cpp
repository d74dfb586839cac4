#include "db/ReadFailure.h"

#include "core/Messages.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

namespace db {

void tellReadFailed(const QString &problem)
{
    // A thread of its own cannot show a message; the screen that waits for it reports.
    if (QThread::currentThread() != QCoreApplication::instance()->thread()) {
        qWarning("a read failed: %s", qPrintable(problem));
        return;
    }
    static QString lastProblem;
    static QDeadlineTimer quietUntil;
    static bool telling = false;
    if (telling || (problem == lastProblem && !quietUntil.hasExpired()))
        return;
    lastProblem = problem;
    telling = true;
    core::tell(QStringLiteral("Houndry could not read the kennel (%1). What is shown may be "
                              "incomplete; close the screen and open it again to retry.")
                   .arg(problem));
    telling = false;
    quietUntil.setRemainingTime(5000);
}

bool execRead(QSqlQuery &query, const QString &sql)
{
    // A prepare that failed says why; running it anyway would only say the values mismatch.
    if (sql.isEmpty() && query.lastError().isValid()) {
        tellReadFailed(query.lastError().text());
        return false;
    }
    if (sql.isEmpty() ? query.exec() : query.exec(sql))
        return true;
    tellReadFailed(query.lastError().text());
    return false;
}

bool readToEnd(const QSqlQuery &query)
{
    if (!query.lastError().isValid())
        return true;
    tellReadFailed(query.lastError().text());
    return false;
}

} // namespace db
