#include "db/SearchableRows.h"

#include "core/SearchText.h"
#include "db/Fields.h"
#include "db/RawRows.h"
#include "db/SqlText.h"

#include <algorithm>
#include <cstring>
#include <QHash>
#include <QSqlQuery>
#include <QStringBuilder>
#include <sqlite3.h>

namespace db {

SearchableRows::SearchableRows(QString table, QStringList fields)
    : m_table(std::move(table)), m_fields(std::move(fields))
{
}

SearchableRows::SearchText SearchableRows::readSearchText(const QString &file,
                                                          const std::atomic_bool &stop) const
{
    SearchText search;
    withReadOnlyConnection(file, [&](QSqlDatabase &db) {
        // The row number first, then the fields, in the order of the select list.
        scanRows(db,
                 selectFrom(m_table, QStringList{fields::rowid} + m_fields) %
                     QStringLiteral(" ORDER BY rowid"),
                 [&](const RawRow &row) {
                     if (stop)
                         return;
                     QByteArray all;
                     for (int i = 1; i <= m_fields.size(); ++i) {
                         const std::string_view text = row.text(i);
                         all.append(text.data(), qsizetype(text.size()));
                         all.append('\x1f');
                     }
                     search.ids.push_back(row.whole(0));
                     search.text.append(core::searchFoldedUtf8(all));
                     search.ends.push_back(search.text.size());
                 });
    });
    if (stop)
        return {};
    const qint64 highest = search.ids.empty() ? 0 : search.ids.back();
    if (highest >= 0 && highest <= 4 * qint64(search.ids.size()) + 1024) {
        search.placeOf.assign(size_t(highest) + 1, -1);
        for (size_t i = 0; i < search.ids.size(); ++i)
            search.placeOf[size_t(search.ids[i])] = qint32(i);
    }
    return search;
}

qsizetype SearchableRows::SearchText::place(qint64 id) const
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

std::vector<qint64> SearchableRows::ordered(const QSqlDatabase &db, int field, bool ascending) const
{
    std::vector<qint64> ids;
    if (field == 0) {
        // The first field has its index in that very order.
        scanRows(db,
                 selectFrom(m_table, {fields::rowid}) % QStringLiteral(" ORDER BY ") %
                     quoted(m_fields.value(field)) % QStringLiteral(" COLLATE NOCASE ") %
                     (ascending ? QStringLiteral("ASC") : QStringLiteral("DESC")) %
                     QStringLiteral(", rowid"),
                 [&](const RawRow &row) { ids.push_back(row.whole(0)); });
        return ids;
    }
    // Any other field is sorted here, as SQLite would sort it with COLLATE NOCASE (no value,
    // then numbers, then text with A to Z case-blind, then anything else), but without
    // SQLite's general sorter, which takes seconds over a million rows.
    struct Key
    {
        int rank;
        double number;
        quint64 prefix; // the first eight bytes, to compare most pairs at one go
        qsizetype from;
        qsizetype size;
        qint64 id;
    };
    std::vector<Key> keys;
    QByteArray texts;
    scanRows(db,
             selectFrom(m_table, {fields::rowid, m_fields.value(field)}) %
                 QStringLiteral(" ORDER BY rowid"),
             [&](const RawRow &row) {
                 Key key{0, 0.0, 0, texts.size(), 0, row.whole(0)};
                 switch (row.type(1)) {
                 case SQLITE_NULL:
                     break;
                 case SQLITE_INTEGER:
                 case SQLITE_FLOAT:
                     key.rank = 1;
                     key.number = row.real(1);
                     break;
                 default: {
                     key.rank = row.type(1) == SQLITE_TEXT ? 2 : 3;
                     const std::string_view text = row.text(1);
                     for (const char c : text)
                         texts.append(key.rank == 2 && c >= 'A' && c <= 'Z' ? char(c + 32) : c);
                     key.size = qsizetype(text.size());
                     for (qsizetype i = 0; i < 8; ++i)
                         key.prefix =
                             key.prefix << 8 | (i < key.size ? quint8(texts[key.from + i]) : 0u);
                 }
                 }
                 keys.push_back(key);
             });
    const auto compare = [&](const Key &a, const Key &b) {
        if (a.rank != b.rank)
            return a.rank < b.rank ? -1 : 1;
        if (a.rank == 1)
            return a.number < b.number ? -1 : (b.number < a.number ? 1 : 0);
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix ? -1 : 1;
        const qsizetype common = std::min(a.size, b.size);
        const int order = common <= 8
                              ? 0
                              : std::memcmp(texts.constData() + a.from + 8,
                                            texts.constData() + b.from + 8, size_t(common - 8));
        return order != 0 ? order : (a.size < b.size ? -1 : (b.size < a.size ? 1 : 0));
    };
    // The rows come in row order, which equal values keep.
    std::stable_sort(keys.begin(), keys.end(), [&](const Key &a, const Key &b) {
        return ascending ? compare(a, b) < 0 : compare(b, a) < 0;
    });
    ids.reserve(keys.size());
    for (const Key &key : keys)
        ids.push_back(key.id);
    return ids;
}

std::vector<qint64> SearchableRows::matching(const std::vector<qint64> &ids,
                                             const QString &text) const
{
    const QByteArray needle = core::searchFolded(text.trimmed()).toUtf8();
    if (needle.isEmpty())
        return ids;
    std::vector<qint64> found;
    auto rowText = [this](size_t row) {
        const qsizetype from = row == 0 ? 0 : m_search.ends[row - 1];
        return QByteArrayView(m_search.text).sliced(from, m_search.ends[row] - from);
    };
    if (ids.size() < m_search.ends.size() / 8) {
        for (qint64 id : ids) {
            const qsizetype place = m_search.place(id);
            if (place >= 0 && rowText(size_t(place)).contains(needle))
                found.push_back(id);
        }
        return found;
    }
    // Most rows: one pass over the text of them all, each row found left at once.
    std::vector<char> holds(m_search.ends.size(), 0);
    const char *all = m_search.text.constData();
    const qsizetype length = m_search.text.size();
    // The C library's search runs many bytes to a step, several times Qt's matcher.
    const auto next = [&](qsizetype from) -> qsizetype {
        const void *found =
            memmem(all + from, size_t(length - from), needle.constData(), size_t(needle.size()));
        return found ? static_cast<const char *>(found) - all : -1;
    };
    size_t row = 0;
    for (qsizetype at = next(0); at >= 0; at = at < length ? next(at) : -1) {
        while (m_search.ends[row] <= at)
            ++row;
        if (at + needle.size() <= m_search.ends[row]) {
            holds[row] = 1;
            at = m_search.ends[row];
        } else {
            ++at;
        }
    }
    for (qint64 id : ids) {
        const qsizetype place = m_search.place(id);
        if (place >= 0 && holds[size_t(place)])
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
