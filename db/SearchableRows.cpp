#include "db/SearchableRows.h"

#include "core/SearchText.h"
#include "db/Fields.h"
#include "db/RawRows.h"
#include "db/SqlText.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <QHash>
#include <QSqlQuery>
#include <QStringBuilder>
#include <sqlite3.h>

namespace db {

SearchableRows::SearchableRows(QString table, QStringList fields)
    : m_table(std::move(table)), m_fields(std::move(fields))
{
}

namespace {

// SQLite's storage classes in the order COLLATE NOCASE sorts them.
enum Kind : char { NoValue, Number, Text, Other };

// The distinct values met in a scan, each kept as its kind and its bytes. A text's capitals
// are lowered first: the case-blind order and the search both ignore them, so "Red" and "RED"
// are one value.
class DistinctValues
{
public:
    quint32 add(const RawRow &row, int column)
    {
        const int type = row.type(column);
        const Kind kind = type == SQLITE_NULL                              ? NoValue
                          : type == SQLITE_INTEGER || type == SQLITE_FLOAT ? Number
                          : type == SQLITE_TEXT                            ? Text
                                                                           : Other;
        m_key.assign(1, kind);
        for (const char c : row.text(column))
            m_key.push_back(kind == Text && c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c);
        if (2 * (size() + 1) > m_slots.size())
            grow();
        const size_t mask = m_slots.size() - 1;
        size_t at = std::hash<std::string_view>{}(m_key)&mask;
        for (; m_slots[at] != 0; at = (at + 1) & mask) {
            if (key(m_slots[at] - 1) == m_key)
                return m_slots[at] - 1;
        }
        const quint32 value = size();
        m_keys.append(m_key);
        m_ends.push_back(m_keys.size());
        m_numbers.push_back(kind == Number ? row.real(column) : 0.0);
        m_slots[at] = value + 1;
        return value;
    }

    quint32 size() const { return quint32(m_ends.size()); }
    size_t bytes() const { return m_keys.size(); }
    std::string_view key(quint32 value) const
    {
        const size_t from = value == 0 ? 0 : m_ends[value - 1];
        return std::string_view(m_keys).substr(from, m_ends[value] - from);
    }

    // Each value's place in the order, as SQLite sorts with COLLATE NOCASE: no value, then
    // numbers, then text (its capitals already lowered), then anything else bytewise.
    std::vector<quint32> ranks() const
    {
        std::vector<quint64> prefixes(size());
        for (quint32 value = 0; value < size(); ++value) {
            const std::string_view bytes = key(value).substr(1);
            for (size_t i = 0; i < 8; ++i)
                prefixes[value] = prefixes[value] << 8 | (i < bytes.size() ? quint8(bytes[i]) : 0u);
        }
        const auto compare = [&](quint32 a, quint32 b) {
            const std::string_view x = key(a), y = key(b);
            if (x[0] != y[0])
                return x[0] < y[0] ? -1 : 1;
            if (x[0] == Number)
                return m_numbers[a] < m_numbers[b] ? -1 : (m_numbers[b] < m_numbers[a] ? 1 : 0);
            if (prefixes[a] != prefixes[b])
                return prefixes[a] < prefixes[b] ? -1 : 1;
            return x.substr(1).compare(y.substr(1));
        };
        std::vector<quint32> order(size());
        std::iota(order.begin(), order.end(), 0u);
        std::sort(order.begin(), order.end(),
                  [&](quint32 a, quint32 b) { return compare(a, b) < 0; });
        std::vector<quint32> ranks(size());
        quint32 rank = 0;
        for (size_t i = 0; i < order.size(); ++i) {
            if (i > 0 && compare(order[i - 1], order[i]) != 0)
                ++rank;
            ranks[order[i]] = rank;
        }
        return ranks;
    }

private:
    void grow()
    {
        std::vector<quint32> slots(std::max<size_t>(1024, m_slots.size() * 2), 0);
        const size_t mask = slots.size() - 1;
        for (quint32 value = 0; value < size(); ++value) {
            size_t at = std::hash<std::string_view>{}(key(value)) & mask;
            while (slots[at] != 0)
                at = (at + 1) & mask;
            slots[at] = value + 1;
        }
        m_slots = std::move(slots);
    }

    std::string m_key;
    std::string m_keys;
    std::vector<size_t> m_ends;
    std::vector<double> m_numbers;
    std::vector<quint32> m_slots; // open addressing; a value's number plus one, 0 for free
};

} // namespace

SearchableRows::Values SearchableRows::readValues(const QString &file,
                                                  const std::atomic_bool &stop) const
{
    Values values;
    values.fieldCount = int(m_fields.size());
    DistinctValues distinct;
    withReadOnlyConnection(file, [&](QSqlDatabase &db) {
        // The row number first, then the fields, in the order of the select list.
        scanRows(db,
                 selectFrom(m_table, QStringList{fields::rowid} + m_fields) %
                     QStringLiteral(" ORDER BY rowid"),
                 [&](const RawRow &row) {
                     if (stop)
                         return;
                     values.ids.push_back(row.whole(0));
                     for (int i = 1; i <= values.fieldCount; ++i)
                         values.ofRows.push_back(distinct.add(row, i));
                 });
    });
    // The folded text is found by 32-bit offsets; a table beyond them cannot be searched.
    if (stop || distinct.bytes() >= std::numeric_limits<quint32>::max() / 2)
        return {};
    values.ranks = distinct.ranks();
    values.foldedEnds.reserve(distinct.size());
    for (quint32 value = 0; value < distinct.size(); ++value) {
        values.folded.append(core::searchFoldedUtf8(distinct.key(value).substr(1)));
        values.foldedEnds.push_back(quint32(values.folded.size()));
    }
    values.folded.squeeze();
    values.ids.shrink_to_fit();
    values.ofRows.shrink_to_fit();
    const qint64 highest = values.ids.empty() ? 0 : values.ids.back();
    if (highest >= 0 && highest <= 4 * qint64(values.ids.size()) + 1024) {
        values.placeOf.assign(size_t(highest) + 1, -1);
        for (size_t i = 0; i < values.ids.size(); ++i)
            values.placeOf[size_t(values.ids[i])] = qint32(i);
    }
    return values;
}

qsizetype SearchableRows::Values::place(qint64 id) const
{
    if (!placeOf.empty())
        return id >= 0 && id < qint64(placeOf.size()) ? placeOf[size_t(id)] : -1;
    const auto at = std::lower_bound(ids.begin(), ids.end(), id);
    return at != ids.end() && *at == id ? qsizetype(at - ids.begin()) : -1;
}

std::vector<qint64> SearchableRows::inRowOrder(const QSqlDatabase &db) const
{
    std::vector<qint64> ids;
    scanRows(db, selectFrom(m_table, {fields::rowid}) % QStringLiteral(" ORDER BY rowid"),
             [&](const RawRow &row) { ids.push_back(row.whole(0)); });
    return ids;
}

std::vector<qint64> SearchableRows::byFirstField(const QSqlDatabase &db, bool ascending) const
{
    std::vector<qint64> ids;
    scanRows(db,
             selectFrom(m_table, {fields::rowid}) % QStringLiteral(" ORDER BY ") %
                 quoted(m_fields.value(0)) % QStringLiteral(" COLLATE NOCASE ") %
                 (ascending ? QStringLiteral("ASC") : QStringLiteral("DESC")) %
                 QStringLiteral(", rowid"),
             [&](const RawRow &row) { ids.push_back(row.whole(0)); });
    return ids;
}

std::vector<qint64> SearchableRows::ordered(int field, bool ascending) const
{
    const Values &values = m_values;
    // Rank and place in one number: one plain sort, equal values left in row order.
    std::vector<quint64> keyed(values.ids.size());
    for (size_t row = 0; row < keyed.size(); ++row) {
        const quint32 rank =
            values.ranks[values.ofRows[row * size_t(values.fieldCount) + size_t(field)]];
        keyed[row] = quint64(ascending ? rank : ~rank) << 32 | row;
    }
    std::sort(keyed.begin(), keyed.end());
    std::vector<qint64> ids(keyed.size());
    for (size_t i = 0; i < keyed.size(); ++i)
        ids[i] = values.ids[keyed[i] & 0xffffffffu];
    return ids;
}

std::vector<qint64> SearchableRows::matching(const std::vector<qint64> &ids,
                                             const QString &text) const
{
    const QByteArray needle = core::searchFolded(text.trimmed()).toUtf8();
    if (needle.isEmpty())
        return ids;
    const Values &values = m_values;
    auto valueText = [&](quint32 value) {
        const qsizetype from = value == 0 ? 0 : values.foldedEnds[value - 1];
        return QByteArrayView(values.folded).sliced(from, values.foldedEnds[value] - from);
    };
    const auto rowHolds = [&](qsizetype place, auto &&holds) {
        const quint32 *fields = values.ofRows.data() + place * values.fieldCount;
        return std::any_of(fields, fields + values.fieldCount, holds);
    };
    std::vector<qint64> found;
    if (ids.size() < values.ids.size() / 8) {
        for (qint64 id : ids) {
            const qsizetype place = values.place(id);
            if (place >= 0 &&
                rowHolds(place, [&](quint32 value) { return valueText(value).contains(needle); }))
                found.push_back(id);
        }
        return found;
    }
    // Most rows: one pass over the text of every value, each value found left at once.
    std::vector<char> holds(values.foldedEnds.size(), 0);
    const char *all = values.folded.constData();
    const qsizetype length = values.folded.size();
    // The C library's search runs many bytes to a step, several times Qt's matcher.
    const auto next = [&](qsizetype from) -> qsizetype {
        const void *found =
            memmem(all + from, size_t(length - from), needle.constData(), size_t(needle.size()));
        return found ? static_cast<const char *>(found) - all : -1;
    };
    size_t value = 0;
    for (qsizetype at = next(0); at >= 0; at = at < length ? next(at) : -1) {
        while (values.foldedEnds[value] <= at)
            ++value;
        if (at + needle.size() <= values.foldedEnds[value]) {
            holds[value] = 1;
            at = values.foldedEnds[value];
        } else {
            ++at;
        }
    }
    for (qint64 id : ids) {
        const qsizetype place = values.place(id);
        if (place >= 0 && rowHolds(place, [&](quint32 value) { return holds[value] != 0; }))
            found.push_back(id);
    }
    return found;
}

QList<QVariantList> SearchableRows::read(const QSqlDatabase &db,
                                         const std::vector<qint64> &ids) const
{
    QHash<qint64, QVariantList> byId;
    if (!ids.empty()) {
        QStringList numbers;
        for (qint64 id : ids)
            numbers << QString::number(id);
        QSqlQuery q(db);
        q.setForwardOnly(true);
        q.exec(selectFrom(m_table, QStringList{fields::rowid} + m_fields) %
               QStringLiteral(" WHERE rowid IN (") % numbers.join(QLatin1Char(',')) %
               QLatin1Char(')'));
        while (q.next()) {
            QVariantList values;
            for (const QString &field : m_fields)
                values << q.value(field);
            byId.insert(q.value(fields::rowid).toLongLong(), values);
        }
    }
    QList<QVariantList> rows;
    for (qint64 id : ids)
        rows << byId.value(id, QVariantList(m_fields.size()));
    return rows;
}

} // namespace db
