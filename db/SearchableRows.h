#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <vector>

namespace db {

// The rows of a table for a list that is searched and sorted, without holding the rows
// themselves: each row's shown fields are kept case-folded in one piece for the search, and
// rows are read by row number when they come into view.
class SearchableRows
{
public:
    SearchableRows(QString table, QStringList fields);

    // Reads the table again; the problem, or empty.
    QString load(const QSqlDatabase &db);
    qsizetype size() const { return qsizetype(m_ids.size()); }

    // Every row number, ordered by one of the fields (case-blind, then by row).
    std::vector<qint64> ordered(const QSqlDatabase &db, int field, bool ascending) const;
    // Those of `ids` whose fields hold the text, case-blind for every letter.
    std::vector<qint64> matching(const std::vector<qint64> &ids, const QString &text) const;
    // The fields of these rows, in the order asked.
    QList<QVariantList> read(const QSqlDatabase &db, const std::vector<qint64> &ids) const;

    const QStringList &fields() const { return m_fields; }

private:
    QString m_table;
    QStringList m_fields;
    std::vector<qint64> m_ids; // ascending
    std::vector<QByteArray> m_folded;
};

} // namespace db
