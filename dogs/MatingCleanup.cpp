#include "dogs/MatingCleanup.h"

#include "db/Tables.h"
#include "db/Transaction.h"

#include <QSqlQuery>
#include <QStringBuilder>

namespace dogs {

int cleanMatings(QSqlDatabase db)
{
    db::Transaction transaction(db);
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("DELETE FROM ") % db::tables::matings %
                QStringLiteral(" WHERE dgname1 = '' OR dgname2 = ' ' OR dgname2 IS NULL")))
        return -1;
    const int deleted = q.numRowsAffected();
    return transaction.commit().ok() ? deleted : -1;
}

} // namespace dogs
