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

QString SearchableRows::load(const QSqlDatabase &db)
{
    m_ids.clear();
    m_folded.clear();
    // The row number first, then the fields, in the order of the select list.
    return scanRows(db,
                    selectFrom(m_table, QStringList{fields::rowid} + m_fields) %
                        QStringLiteral(" ORDER BY rowid"),
                    [&](const RawRow &row) {
                        m_ids.push_back(row.whole(0));
                        QByteArray all;
                        for (int i = 1; i <= m_fields.size(); ++i) {
                            const std::string_view text = row.text(i);
                            all.append(text.data(), qsizetype(text.size()));
                            all.append('\x1f');
                        }
                        m_folded.push_back(QString::fromUtf8(all).toCaseFolded().toUtf8());
                    });
}

std::vector<qint64> SearchableRows::ordered(const QSqlDatabase &db, int field, bool ascending) const
{
    std::vector<qint64> ids;
    ids.reserve(m_ids.size());
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
    std::vector<qint64> found;
    for (qint64 id : ids) {
        const auto at = std::lower_bound(m_ids.begin(), m_ids.end(), id);
        if (at != m_ids.end() && *at == id && m_folded[size_t(at - m_ids.begin())].contains(needle))
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
