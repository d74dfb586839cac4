#include "report/SqlData.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace report {

DataSet queryRows(const QSqlDatabase &db, const QString &sql)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.exec(sql);
    DataSet rows;
    while (q.next()) {
        const QSqlRecord record = q.record();
        DataRow row;
        for (int i = 0; i < record.count(); ++i)
            row.values.insert(record.fieldName(i), record.value(i));
        rows.append(row);
    }
    return rows;
}

} // namespace report
