#include "dogs/MatingCleanup.h"

#include "db/Fields.h"
#include "db/Schema.h"
#include "db/Tables.h"
#include "db/Transaction.h"

#include <QSqlQuery>
#include <QStringBuilder>

namespace dogs {

int cleanMatings(QSqlDatabase db)
{
    db::Transaction transaction(db);
    QSqlQuery q(db);
    const QString sire = db::quoted(db::fields::matings::sire);
    const QString dam = db::quoted(db::fields::matings::dam);
    if (!q.exec(QStringLiteral("DELETE FROM ") % db::quoted(db::tables::matings) %
                QStringLiteral(" WHERE ") % sire % QStringLiteral(" = '' OR ") % dam %
                QStringLiteral(" = ' ' OR ") % dam % QStringLiteral(" IS NULL")))
        return -1;
    const int deleted = q.numRowsAffected();
    return transaction.commit().ok() ? deleted : -1;
}

} // namespace dogs
