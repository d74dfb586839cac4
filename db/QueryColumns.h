#pragma once

#include <QHash>
#include <QSqlQuery>
#include <QSqlRecord>

namespace db {

// A query's columns by name, each name looked up once: asking the query itself by name
// builds its whole record on every call, too slow over the rows of a large kennel.
class QueryColumns
{
public:
    // After the query ran.
    explicit QueryColumns(const QSqlQuery &query) : m_query(query)
    {
        const QSqlRecord record = query.record();
        for (int i = 0; i < record.count(); ++i)
            m_index.insert(record.fieldName(i), i);
    }

    // The column of the current row; no value for a name the select list does not hold.
    QVariant value(const QString &column) const { return m_query.value(m_index.value(column, -1)); }

private:
    const QSqlQuery &m_query;
    QHash<QString, int> m_index;
};

} // namespace db
