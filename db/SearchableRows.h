#pragma once

#include <atomic>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <vector>

namespace db {

// The rows of a table for a list that is searched and sorted, without holding the rows
// themselves: rows are read by row number when they come into view. What they are searched and
// sorted by is read once on a thread: each distinct value of the shown fields once, folded for
// the search (case and accents) and ranked in SQLite's case-blind order, and each row as the
// values of its fields. A name that is also a sire, a dam and an owner is held once.
class SearchableRows
{
public:
    // One field's value in every row. A field of few values (a sex, a colour, a date) keeps
    // each row's as a number of one or two bytes among its own values.
    class FieldValues
    {
    public:
        // `codeOf` is room for every value, each -1.
        FieldValues(std::vector<quint32> ofRows, std::vector<qint32> &codeOf);
        quint32 at(size_t row) const
        {
            switch (m_width) {
            case 1:
                return m_own[m_codes[row]];
            case 2:
                return m_own[quint16(m_codes[2 * row] | m_codes[2 * row + 1] << 8)];
            default:
                return m_wide[row];
            }
        }

    private:
        int m_width = 4;
        std::vector<quint32> m_own;  // a narrow field's values
        std::vector<quint8> m_codes; // a narrow field's places among them, by row
        std::vector<quint32> m_wide; // a wide field's values, by row
    };

    struct Values
    {
        std::vector<qint64> ids; // by ascending row number
        std::vector<FieldValues> fields;
        QByteArray folded; // each value folded, each ending with a zero byte
        // Each value's place in the sort; values that sort equal share it.
        std::vector<quint32> ranks;
        // Each row number's place, straight from the number, when the numbers lie close
        // enough together (as they do unless rows were deleted by the million).
        std::vector<qint32> placeOf;

        qsizetype place(qint64 id) const;
    };

    SearchableRows(QString table, QStringList fields);

    // Every row number, in row order.
    std::vector<qint64> inRowOrder(const QSqlDatabase &db) const;
    // Every row number, by the first field (case-blind, then by row), from its index.
    std::vector<qint64> byFirstField(const QSqlDatabase &db, bool ascending) const;

    // Reads the values on a connection of its own to the file, so that it can run on a
    // thread of its own while the list is already on view. Gives up, answering nothing, once
    // told to stop.
    Values readValues(const QString &file, const std::atomic_bool &stop) const;
    void setValues(Values values)
    {
        m_values = std::move(values);
        m_canSearch = true;
    }
    void forgetValues()
    {
        m_values = {};
        m_canSearch = false;
    }
    // Whether the values are read, for searching and for sorting by any field.
    bool canSearch() const { return m_canSearch; }

    // Every row number, ordered by one of the fields as SQLite orders it with COLLATE NOCASE,
    // equal values by row. Only once the values are read.
    std::vector<qint64> ordered(int field, bool ascending) const;

    // Those of `ids` whose fields hold the text anywhere, blind to case and accents.
    std::vector<qint64> matching(const std::vector<qint64> &ids, const QString &text) const;
    // The fields of these rows, in the order asked.
    QList<QVariantList> read(const QSqlDatabase &db, const std::vector<qint64> &ids) const;

    const QStringList &fields() const { return m_fields; }

private:
    QString m_table;
    QStringList m_fields;
    Values m_values;
    bool m_canSearch = false;
};

} // namespace db
