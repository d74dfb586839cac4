#include "db/SearchableRows.h"

#include "db/Fields.h"
#include "db/RawRows.h"
#include "db/SqlText.h"

#include <algorithm>
#include <QHash>
#include <QSqlQuery>
#include <QStringBuilder>

namespace db {

SearchableRows::SearchableRows(QString table, QStringList fields)
    : m_table(std::move(table)), m_fields(std::move(fields))
{
}

SearchableRows::SearchText SearchableRows::readSearchText(const QString &file,
                                                          const std::atomic_bool &stop) const
{
    SearchText search;
    const QString connection = QStringLiteral("search %1").arg(quintptr(&search));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
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
                         search.text.append(QString::fromUtf8(all).toCaseFolded().toUtf8());
                         search.ends.push_back(search.text.size());
                     });
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
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

std::vector<qint64> SearchableRows::ordered(const QSqlDatabase &db, int field, bool ascending) const
{
    std::vector<qint64> ids;
    scanRows(db,
             selectFrom(m_table, {fields::rowid}) % QStringLiteral(" ORDER BY ") %
                 quoted(m_fields.value(field)) % QStringLiteral(" COLLATE NOCASE ") %
                 (ascending ? QStringLiteral("ASC") : QStringLiteral("DESC")) %
                 QStringLiteral(", rowid"),
             [&](const RawRow &row) { ids.push_back(row.whole(0)); });
    return ids;
}

std::vector<qint64> SearchableRows::matching(const std::vector<qint64> &ids,
                                             const QString &text) const
{
    const QByteArray needle = text.trimmed().toCaseFolded().toUtf8();
    if (needle.isEmpty())
        return ids;
    const QByteArrayView all(m_search.text);
    std::vector<qint64> found;
    for (qint64 id : ids) {
        const qsizetype place = m_search.place(id);
        if (place < 0)
            continue;
        const size_t row = size_t(place);
        const qsizetype from = row == 0 ? 0 : m_search.ends[row - 1];
        if (all.sliced(from, m_search.ends[row] - from).contains(needle))
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
