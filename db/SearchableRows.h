#pragma once

#include <atomic>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <vector>

namespace db {

// The rows of a table for a list that is searched and sorted, without holding the rows
// themselves: rows are ordered by SQL and read by row number when they come into view, and
// each row's shown fields are kept folded for the search (case and accents) in one piece.
class SearchableRows
{
public:
    // Every row's shown fields, folded, end to end; rows by ascending row number.
    struct SearchText
    {
        std::vector<qint64> ids;
        QByteArray text;
        std::vector<qsizetype> ends;
        // Each row number's place, straight from the number, when the numbers lie close
        // enough together (as they do unless rows were deleted by the million).
        std::vector<qint32> placeOf;

        qsizetype place(qint64 id) const;
    };

    SearchableRows(QString table, QStringList fields);

    // Every row number, in row order.
    std::vector<qint64> inRowOrder(const QSqlDatabase &db) const;
    // Every row number, ordered by one of the fields (case-blind, then by row).
    std::vector<qint64> ordered(const QSqlDatabase &db, int field, bool ascending) const;

    // Reads the search text on a connection of its own to the file, so that it can run on a
    // thread of its own while the list is already on view. Gives up, answering nothing, once
    // told to stop.
    SearchText readSearchText(const QString &file, const std::atomic_bool &stop) const;
    void setSearchText(SearchText text)
    {
        m_search = std::move(text);
        m_canSearch = true;
    }
    void forgetSearchText()
    {
        m_search = {};
        m_canSearch = false;
    }
    bool canSearch() const { return m_canSearch; }

    // Those of `ids` whose fields hold the text anywhere, blind to case and accents.
    std::vector<qint64> matching(const std::vector<qint64> &ids, const QString &text) const;
    // The fields of these rows, in the order asked.
    QList<QVariantList> read(const QSqlDatabase &db, const std::vector<qint64> &ids) const;

    const QStringList &fields() const { return m_fields; }

private:
    QString m_table;
    QStringList m_fields;
    SearchText m_search;
    bool m_canSearch = false;
};

} // namespace db
