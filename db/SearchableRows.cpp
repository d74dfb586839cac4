#include "db/SearchableRows.h"

#include "core/SearchText.h"
#include "db/Fields.h"
#include "db/RawRows.h"
#include "db/SqlText.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <numeric>
#include <optional>
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

// The values met in a scan, each kept as its kind and its bytes. A text's capitals are
// lowered first: the case-blind order and the search both ignore them, so "Red" and "RED"
// are one value. Values that recur are kept once; a field whose values hardly ever recur
// (a registration number) is kept as it comes, without looking each one up.
class DistinctValues
{
public:
    quint32 add(const RawRow &row, int column, bool lookUp)
    {
        const int type = row.type(column);
        const Kind kind = type == SQLITE_NULL                              ? NoValue
                          : type == SQLITE_INTEGER || type == SQLITE_FLOAT ? Number
                          : type == SQLITE_TEXT                            ? Text
                                                                           : Other;
        m_key.assign(1, kind);
        // A number's value leads its text, for the order.
        if (kind == Number) {
            const double number = row.real(column);
            m_key.append(reinterpret_cast<const char *>(&number), sizeof number);
        }
        const std::string_view text = row.text(column);
        m_key.append(text);
        if (kind == Text) {
            for (char &c : m_key) {
                if (c >= 'A' && c <= 'Z')
                    c = char(c + ('a' - 'A'));
            }
        }
        if (!lookUp)
            return append();
        // Pups of a litter stand together and name the same sire and dam.
        if (m_last.size() <= size_t(column))
            m_last.resize(size_t(column) + 1);
        Last &last = m_last[size_t(column)];
        if (last.value && last.key == m_key)
            return *last.value;
        last.key = m_key;
        last.value = find();
        return *last.value;
    }

    void reserve(size_t values) { m_ends.reserve(values); }
    quint32 size() const { return quint32(m_ends.size()); }
    size_t bytes() const { return m_keys.size(); }
    std::string_view key(quint32 value) const
    {
        const size_t from = value == 0 ? 0 : m_ends[value - 1];
        return std::string_view(m_keys).substr(from, m_ends[value] - from);
    }
    // The text as stored, its capitals lowered.
    std::string_view text(quint32 value) const
    {
        const std::string_view bytes = key(value);
        return bytes.substr(bytes[0] == Number ? 1 + sizeof(double) : 1);
    }

    // Each value's place in the order, as SQLite sorts with COLLATE NOCASE: no value, then
    // numbers, then text (its capitals already lowered), then anything else bytewise.
    std::vector<quint32> ranks() const
    {
        // Most pairs differ in their first sixteen bytes: kept side by side, they are compared
        // without reaching for the values themselves.
        struct Sortable
        {
            quint64 prefix[2];
            quint32 value;
            char kind;
        };
        std::vector<Sortable> sortable(size());
        for (quint32 value = 0; value < size(); ++value) {
            const std::string_view bytes = key(value);
            Sortable &s = sortable[value];
            s = {{0, 0}, value, bytes[0]};
            for (size_t i = 1; i <= 16; ++i)
                s.prefix[(i - 1) / 8] =
                    s.prefix[(i - 1) / 8] << 8 | (i < bytes.size() ? quint8(bytes[i]) : 0u);
        }
        const auto compare = [&](const Sortable &a, const Sortable &b) {
            if (a.kind != b.kind)
                return a.kind < b.kind ? -1 : 1;
            if (a.kind == Number) {
                const double x = number(a.value), y = number(b.value);
                return x < y ? -1 : (y < x ? 1 : 0);
            }
            for (const int half : {0, 1}) {
                if (a.prefix[half] != b.prefix[half])
                    return a.prefix[half] < b.prefix[half] ? -1 : 1;
            }
            return key(a.value).substr(1).compare(key(b.value).substr(1));
        };
        std::sort(sortable.begin(), sortable.end(),
                  [&](const Sortable &a, const Sortable &b) { return compare(a, b) < 0; });
        std::vector<quint32> ranks(size());
        quint32 rank = 0;
        for (size_t i = 0; i < sortable.size(); ++i) {
            if (i > 0 && compare(sortable[i - 1], sortable[i]) != 0)
                ++rank;
            ranks[sortable[i].value] = rank;
        }
        return ranks;
    }

private:
    double number(quint32 value) const
    {
        double number = 0;
        std::memcpy(&number, key(value).data() + 1, sizeof number);
        return number;
    }

    struct Last
    {
        std::string key;
        std::optional<quint32> value;
    };

    quint32 find()
    {
        if (2 * (m_lookedUp + 1) > m_slots.size())
            grow();
        // A slot holds the hash's high half beside the value, so that most other values are
        // passed by without reading them.
        const size_t hash = std::hash<std::string_view>{}(m_key);
        const quint64 tag = quint64(quint32(hash >> 32)) << 32;
        const size_t mask = m_slots.size() - 1;
        size_t at = hash & mask;
        for (; m_slots[at] != 0; at = (at + 1) & mask) {
            if ((m_slots[at] & ~quint64(0xffffffffu)) == tag &&
                key(quint32(m_slots[at]) - 1) == m_key)
                return quint32(m_slots[at]) - 1;
        }
        const quint32 value = append();
        m_slots[at] = tag | (value + 1);
        ++m_lookedUp;
        return value;
    }

    quint32 append()
    {
        m_keys.append(m_key);
        m_ends.push_back(m_keys.size());
        return size() - 1;
    }

    void grow()
    {
        std::vector<quint64> slots(std::max<size_t>(1024, m_slots.size() * 2), 0);
        const size_t mask = slots.size() - 1;
        for (const quint64 slot : m_slots) {
            if (slot == 0)
                continue;
            const size_t hash = std::hash<std::string_view>{}(key(quint32(slot) - 1));
            size_t at = hash & mask;
            while (slots[at] != 0)
                at = (at + 1) & mask;
            slots[at] = slot;
        }
        m_slots = std::move(slots);
    }

    std::string m_key;
    std::string m_keys;
    std::vector<size_t> m_ends;
    quint32 m_lookedUp = 0;
    std::vector<Last> m_last;     // per column
    std::vector<quint64> m_slots; // open addressing; a value's number plus one, 0 for free
};

} // namespace

SearchableRows::Values SearchableRows::readValues(const QString &file,
                                                  const std::atomic_bool &stop) const
{
    Values values;
    values.fieldCount = int(m_fields.size());
    DistinctValues distinct;
    struct Habit
    {
        int seen = 0;
        int fresh = 0;
        bool lookUp = true;
    };
    constexpr int habitRows = 4096;
    std::vector<Habit> habits(size_t(values.fieldCount));
    withReadOnlyConnection(file, [&](QSqlDatabase &db) {
        // Room for every row at once: growing by copying would cost as much as the reading.
        scanRows(db, QStringLiteral("SELECT max(rowid) FROM ") % quoted(m_table),
                 [&](const RawRow &row) {
                     const size_t rows = size_t(std::clamp<qint64>(row.whole(0), 0, 4'000'000));
                     values.ids.reserve(rows);
                     values.ofRows.reserve(rows * size_t(values.fieldCount));
                     distinct.reserve(rows * size_t(values.fieldCount));
                 });
        // The row number first, then the fields, in the order of the select list; a chunk at a
        // time, each read letting go of the file before the next, so that a write made
        // meanwhile waits for one chunk and not for the whole table.
        constexpr size_t chunkRows = 20000;
        const QString chunk = selectFrom(m_table, QStringList{fields::rowid} + m_fields) %
                              QStringLiteral(" WHERE rowid > %1 ORDER BY rowid LIMIT %2");
        qint64 last = std::numeric_limits<qint64>::min();
        for (size_t read = chunkRows; read == chunkRows && !stop;) {
            read = 0;
            const QString problem =
                scanRows(db, chunk.arg(last).arg(chunkRows), [&](const RawRow &row) {
                    if (stop)
                        return;
                    ++read;
                    last = row.whole(0);
                    values.ids.push_back(last);
                    for (int i = 1; i <= values.fieldCount; ++i) {
                        Habit &habit = habits[size_t(i - 1)];
                        const quint32 before = distinct.size();
                        values.ofRows.push_back(distinct.add(row, i, habit.lookUp));
                        // Judged on the first rows: looking up costs more than it saves
                        // where nine values in ten are new.
                        if (habit.seen < habitRows) {
                            habit.fresh += distinct.size() > before ? 1 : 0;
                            if (++habit.seen == habitRows)
                                habit.lookUp = habit.fresh * 10 < habit.seen * 9;
                        }
                    }
                });
            if (!problem.isEmpty())
                break;
        }
    });
    // The folded text is found by 32-bit offsets; a table beyond them cannot be searched.
    if (stop || distinct.bytes() >= std::numeric_limits<quint32>::max() / 2)
        return {};
    values.ranks = distinct.ranks();
    values.foldedEnds.reserve(distinct.size());
    for (quint32 value = 0; value < distinct.size(); ++value) {
        values.folded.append(core::searchFoldedUtf8(distinct.text(value)));
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
    if (m_canSearch)
        return m_values.ids;
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
    const size_t rows = values.ids.size();
    std::vector<quint32> keys(rows);
    quint32 highest = 0;
    for (size_t row = 0; row < rows; ++row) {
        keys[row] = values.ranks[values.ofRows[row * size_t(values.fieldCount) + size_t(field)]];
        highest = std::max(highest, keys[row]);
    }
    // Ranks are fewer than the values: counted, then each row put straight in its place, the
    // rows of one rank left in row order.
    std::vector<size_t> start(size_t(highest) + 2, 0);
    for (quint32 &key : keys) {
        if (!ascending)
            key = highest - key;
        ++start[size_t(key) + 1];
    }
    std::partial_sum(start.begin(), start.end(), start.begin());
    std::vector<qint64> ids(rows);
    for (size_t row = 0; row < rows; ++row)
        ids[start[keys[row]]++] = values.ids[row];
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
