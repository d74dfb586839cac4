#include "db/RawRows.h"

#include "db/FileKind.h"
#include "db/SqliteHandle.h"

#include <memory>
#include <QThread>
#include <sqlite3.h>

namespace db {

std::string_view RawRow::text(int column) const
{
    const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    if (!bytes)
        return {};
    return {bytes, size_t(sqlite3_column_bytes(m_statement, column))};
}

QString RawRow::string(int column) const
{
    const std::string_view bytes = text(column);
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

qint64 RawRow::whole(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

double RawRow::real(int column) const
{
    return sqlite3_column_double(m_statement, column);
}

int RawRow::type(int column) const
{
    return sqlite3_column_type(m_statement, column);
}

QString scanRows(const QSqlDatabase &db, const QString &select,
                 const std::function<void(const RawRow &)> &each)
{
    sqlite3 *connection = sqliteHandle(db);
    if (!connection)
        return QStringLiteral("the database is not open");
    sqlite3_stmt *raw = nullptr;
    const QByteArray sql = select.toUtf8();
    if (sqlite3_prepare_v2(connection, sql.constData(), int(sql.size()), &raw, nullptr) !=
        SQLITE_OK)
        return QString::fromUtf8(sqlite3_errmsg(connection));
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt *)> statement(raw, sqlite3_finalize);
    const RawRow row(raw);
    int step;
    while ((step = sqlite3_step(raw)) == SQLITE_ROW)
        each(row);
    if (step != SQLITE_DONE)
        return QString::fromUtf8(sqlite3_errmsg(connection));
    return {};
}

bool withReadOnlyConnection(const QString &file, const std::function<void(QSqlDatabase &)> &work)
{
    // Connection names are per process: the thread's own address keeps them apart.
    const QString connection =
        QStringLiteral("read-only %1").arg(quintptr(QThread::currentThreadId()));
    bool opened = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(file);
        // A write under way elsewhere is waited for, not taken as a failed read.
        db.setConnectOptions(connectOptions(true));
        opened = db.open();
        if (opened) {
            work(db);
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return opened;
}

} // namespace db
