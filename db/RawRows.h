#pragma once

#include <functional>
#include <QSqlDatabase>
#include <QString>
#include <string_view>

struct sqlite3_stmt;

namespace db {

// One row of a raw scan; columns by their place in the scan's select list, which callers
// name with a local enum.
class RawRow
{
public:
    explicit RawRow(sqlite3_stmt *statement) : m_statement(statement) {}
    // UTF-8; empty for no value.
    std::string_view text(int column) const;
    // The same as a QString.
    QString string(int column) const;
    qint64 whole(int column) const;
    double real(int column) const;
    // SQLite's storage class: SQLITE_NULL, SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, SQLITE_BLOB.
    int type(int column) const;

private:
    sqlite3_stmt *m_statement;
};

// Runs a select straight on SQLite: for reading a whole large table, where a variant per
// value costs more than the reading itself. The problem, or empty when every row was read.
QString scanRows(const QSqlDatabase &db, const QString &select,
                 const std::function<void(const RawRow &)> &each);

// Runs `work` on a read-only connection of its own to the file, as a thread that reads while
// the program goes on must; the connection is gone afterwards. False when it did not open.
bool withReadOnlyConnection(const QString &file, const std::function<void(QSqlDatabase &)> &work);

} // namespace db
