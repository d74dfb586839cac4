#include "db/SqlRows.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace db {

core::DataSet queryRows(const QSqlDatabase &db, const QString &sql)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.exec(sql);
    core::DataSet rows;
    while (q.next()) {
        const QSqlRecord record = q.record();
        core::DataRow row;
        for (int i = 0; i < record.count(); ++i)
            row.values.insert(record.fieldName(i), record.value(i));
        rows.append(row);
    }
    return rows;
}

} // namespace db
