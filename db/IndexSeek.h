#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace db {

struct Index;

// A seek through a named index: the first row, in index order, whose key equals the text
// without regard to case (or the one `skip` rows after it). The index collates NOCASE, which folds
// A-Z only, so a key with other letters ("élan") is sought over the range of keys its case variants
// can span and each candidate is compared by full case folding. The file needs nothing of ours for
// it: the sqlite3 shell can still read, write and check it.
class IndexSeek
{
public:
    // `columns` are the fields the found row is read with.
    IndexSeek(const QSqlDatabase &db, const Index &index, const QStringList &columns);

    bool seek(const QString &key, int skip = 0);
    // A column of the select list, of the row found by the last seek; none when it found none.
    QVariant value(const QString &column) const
    {
        return m_found ? m_found->value(column) : QVariant();
    }
    QString lastError() const { return m_error; }

private:
    QSqlQuery m_exact;
    QSqlQuery m_range;
    QSqlQuery *m_found = nullptr;
    QString m_column;
    QString m_error;
};

} // namespace db
