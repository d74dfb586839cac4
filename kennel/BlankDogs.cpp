#include "kennel/BlankDogs.h"

#include "core/NumberText.h"
#include "db/Fields.h"
#include "db/Schema.h"
#include "db/Tables.h"
#include "db/Transaction.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringBuilder>

namespace kennel {

core::WriteResult<> addBlankDogs(QSqlDatabase db, int count)
{
    if (count <= 0)
        return {};
    db::Transaction batch(db);
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO ") % db::quoted(db::tables::dogs) %
                   QStringLiteral(" (") % db::quoted(db::fields::dogs::name) %
                   QStringLiteral(") VALUES (?)"));
    for (int i = 1; i <= count; ++i) {
        insert.addBindValue(QString(QStringLiteral("NEWENTRY") + core::signedText(i)));
        // Half a batch would leave the user guessing which rows exist: none or all.
        if (!insert.exec())
            return core::failure(insert.lastError().text());
    }
    return batch.commit();
}

} // namespace kennel
