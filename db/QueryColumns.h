#pragma once

#include <QHash>
#include <QSqlQuery>
#include <QSqlRecord>

namespace db {

// A query's columns by name, each name looked up once: asking the query itself by name
// builds its whole record on every call, too slow over the rows of a large kennel. Names are
// found blind to case, as SQLite and the query's own lookup find them.
class QueryColumns
{
public:
    // After the query ran.
    explicit QueryColumns(const QSqlQuery &query) : m_query(query)
    {
        const QSqlRecord record = query.record();
        for (int i = 0; i < record.count(); ++i) {
            m_index.insert(record.fieldName(i), i);
            m_folded.insert(record.fieldName(i).toCaseFolded(), i);
        }
    }

    // The column of the current row; no value for a name the select list does not hold.
    QVariant value(const QString &column) const
    {
        const auto exact = m_index.constFind(column);
        return m_query.value(exact != m_index.cend() ? *exact
                                                     : m_folded.value(column.toCaseFolded(), -1));
    }

private:
    const QSqlQuery &m_query;
    QHash<QString, int> m_index;
    QHash<QString, int> m_folded;
};

} // namespace db
