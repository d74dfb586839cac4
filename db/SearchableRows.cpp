#include "db/SearchableRows.h"

#include "core/SearchText.h"
#include "db/DistinctValues.h"
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

SearchableRows::FieldValues::FieldValues(std::vector<quint32> ofRows, std::vector<qint32> &codeOf)
{
    // Each value's code in this field, in the order they come; `codeOf` is left as it came.
    auto forget = [&] {
        for (const quint32 value : m_own)
            codeOf[value] = -1;
    };
    for (const quint32 value : ofRows) {
        if (codeOf[value] >= 0)
            continue;
        if (m_own.size() == 0x10000) {
            forget();
            std::vector<quint32>().swap(m_own);
            m_wide = std::move(ofRows);
            return;
        }
        codeOf[value] = qint32(m_own.size());
        m_own.push_back(value);
    }
    m_width = m_own.size() <= 0x100 ? 1 : 2;
    m_codes.resize(ofRows.size() * size_t(m_width));
    for (size_t row = 0; row < ofRows.size(); ++row) {
        const auto code = quint16(codeOf[ofRows[row]]);
        m_codes[row * size_t(m_width)] = quint8(code);
        if (m_width == 2)
            m_codes[row * 2 + 1] = quint8(code >> 8);
    }
    forget();
    m_own.shrink_to_fit();
}

SearchableRows::Values SearchableRows::readValues(const QString &file,
                                                  const std::atomic_bool &stop) const
{
    Values values;
    const int fieldCount = int(m_fields.size());
    std::vector<std::vector<quint32>> ofRows(m_fields.size());
    scan::DistinctValues distinct;
    struct Habit
    {
        int seen = 0;
        int fresh = 0;
        bool lookUp = true;
    };
    constexpr int habitRows = 4096;
    std::vector<Habit> habits(m_fields.size());
    withReadOnlyConnection(file, [&](QSqlDatabase &db) {
        // Room for every row at once: growing by copying would cost as much as the reading.
        scanRows(db, QStringLiteral("SELECT max(rowid) FROM ") % quoted(m_table),
                 [&](const RawRow &row) {
                     const size_t rows = size_t(std::clamp<qint64>(row.whole(0), 0, 4'000'000));
                     values.ids.reserve(rows);
                     for (std::vector<quint32> &field : ofRows)
                         field.reserve(rows);
                     distinct.reserve(rows * size_t(fieldCount));
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
                    for (int i = 1; i <= fieldCount; ++i) {
                        Habit &habit = habits[size_t(i - 1)];
                        const quint32 before = distinct.size();
                        ofRows[size_t(i - 1)].push_back(distinct.add(row, i, habit.lookUp));
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
    if (stop)
        return {};
    values.ranks = distinct.ranks();
    values.folded.reserve(qsizetype(distinct.bytes() + distinct.size()));
    for (quint32 value = 0; value < distinct.size(); ++value) {
        QByteArray folded = core::searchFoldedUtf8(distinct.text(value));
        folded.replace('\0', '\x01');
        values.folded.append(folded).append('\0');
    }
    values.folded.squeeze();
    values.ids.shrink_to_fit();
    values.fields.reserve(ofRows.size());
    std::vector<qint32> codeOf(distinct.size(), -1);
    for (std::vector<quint32> &field : ofRows)
        values.fields.emplace_back(std::move(field), codeOf);
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
        keys[row] = values.ranks[values.fields[size_t(field)].at(row)];
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
    // A value's text ends with a zero byte, which no needle holds.
    if (needle.contains('\0'))
        return {};
    // One pass over the text of every value, each value found left at once.
    std::vector<char> holds(values.ranks.size(), 0);
    const char *all = values.folded.constData();
    const char *const end = all + values.folded.size();
    // The C library's search runs many bytes to a step, several times Qt's matcher.
    const auto next = [&](const char *from) {
        return static_cast<const char *>(
            memmem(from, size_t(end - from), needle.constData(), size_t(needle.size())));
    };
    size_t value = 0;
    const char *counted = all;
    for (const char *at = next(all); at; at = next(at)) {
        value += size_t(std::count(counted, at, '\0'));
        holds[value] = 1;
        at = static_cast<const char *>(std::memchr(at, '\0', size_t(end - at))) + 1;
        counted = at;
        ++value;
    }
    std::vector<qint64> found;
    for (qint64 id : ids) {
        const qsizetype place = values.place(id);
        if (place >= 0 &&
            std::any_of(values.fields.begin(), values.fields.end(), [&](const FieldValues &field) {
                return holds[field.at(size_t(place))] != 0;
            }))
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
