#include "db/IndexSeek.h"

#include "db/QueryColumns.h"
#include "db/Schema.h"
#include "db/SqlText.h"

#include <QHash>
#include <QSqlError>
#include <QStringBuilder>
#include <QVariant>

namespace db {
namespace {

// NOCASE compares ASCII letters as lower case and every other character by its code.
char32_t nocaseKey(char32_t c)
{
    return c < 0x80 ? QChar::toLower(c) : c;
}

// For each case-folded character, the lowest and highest NOCASE key among the characters
// that fold to it (É and é; Σ, σ and ς).
const QHash<char32_t, std::pair<char32_t, char32_t>> &foldClasses()
{
    static const auto classes = [] {
        QHash<char32_t, std::pair<char32_t, char32_t>> all;
        for (char32_t c = 0x80; c <= QChar::LastValidCodePoint; ++c) {
            const char32_t folded = QChar::toCaseFolded(c);
            if (folded == c)
                continue;
            auto range = all.value(folded, {nocaseKey(folded), nocaseKey(folded)});
            range.first = qMin(range.first, nocaseKey(c));
            range.second = qMax(range.second, nocaseKey(c));
            all.insert(folded, range);
        }
        return all;
    }();
    return classes;
}

bool isAscii(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

// The lowest and highest text, in NOCASE order, that can equal the key ignoring case.
std::pair<QString, QString> caseVariantRange(const QString &key)
{
    const auto &classes = foldClasses();
    QList<char32_t> lowest;
    QList<char32_t> highest;
    for (const char32_t c : key.toUcs4()) {
        const char32_t folded = QChar::toCaseFolded(c);
        const auto range = classes.value(folded, {nocaseKey(folded), nocaseKey(folded)});
        lowest << range.first;
        highest << range.second;
    }
    return {QString::fromUcs4(lowest.constData(), lowest.size()),
            QString::fromUcs4(highest.constData(), highest.size())};
}

} // namespace

IndexSeek::IndexSeek(const QSqlDatabase &db, const Index &index, const QStringList &columns)
    : m_exact(db), m_range(db), m_column(index.column)
{
    // Candidates are compared by the key column, so it is read whether asked for or not.
    QStringList read = columns;
    if (!read.contains(index.column, Qt::CaseInsensitive))
        read << index.column;
    const QString select =
        selectFrom(index.table, read) % QStringLiteral(" WHERE ") % quoted(index.column);
    // Equal keys sit in rowid order within the index.
    m_exact.setForwardOnly(true);
    m_exact.prepare(select % QStringLiteral(" = ? COLLATE NOCASE ORDER BY rowid"));
    m_range.setForwardOnly(true);
    m_range.prepare(select % QStringLiteral(" COLLATE NOCASE BETWEEN ? AND ? ORDER BY ") %
                    quoted(index.column) % QStringLiteral(" COLLATE NOCASE, rowid"));
}

bool IndexSeek::seek(const QString &key, int skip)
{
    m_found = nullptr;
    if (isAscii(key)) {
        m_exact.addBindValue(key);
        if (!m_exact.exec()) {
            m_error = m_exact.lastError().text();
            return false;
        }
        for (int row = 0; row <= skip; ++row) {
            if (!m_exact.next())
                return false;
        }
        m_found = &m_exact;
        return true;
    }
    const auto [lowest, highest] = caseVariantRange(key);
    m_range.addBindValue(lowest);
    m_range.addBindValue(highest);
    if (!m_range.exec()) {
        m_error = m_range.lastError().text();
        return false;
    }
    const db::QueryColumns candidates(m_range);
    while (m_range.next()) {
        if (candidates.value(m_column).toString().compare(key, Qt::CaseInsensitive) == 0 &&
            skip-- == 0) {
            m_found = &m_range;
            return true;
        }
    }
    return false;
}

} // namespace db
