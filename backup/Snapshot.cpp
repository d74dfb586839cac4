#include "backup/Snapshot.h"

#include "db/DatabaseFiles.h"
#include "db/Schema.h"

#include <memory>
#include <QDir>
#include <QFile>
#include <sqlite3.h>

namespace backup {
namespace {

using Connection = std::unique_ptr<sqlite3, int (*)(sqlite3 *)>;

Connection openFile(const QString &file, int flags)
{
    sqlite3 *raw = nullptr;
    sqlite3_open_v2(QFile::encodeName(file).constData(), &raw, flags, nullptr);
    Connection connection(raw, sqlite3_close);
    if (raw)
        sqlite3_busy_timeout(raw, 5000);
    return connection;
}

QString errorOf(sqlite3 *connection)
{
    return connection ? QString::fromUtf8(sqlite3_errmsg(connection))
                      : QStringLiteral("out of memory");
}

// Runs a statement to its end; `each` sees every row.
bool run(sqlite3 *connection, const QString &sql, const QStringList &values = {},
         const std::function<void(sqlite3_stmt *)> &each = {})
{
    sqlite3_stmt *raw = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(connection, text.constData(), -1, &raw, nullptr) != SQLITE_OK)
        return false;
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt *)> statement(raw, sqlite3_finalize);
    for (int i = 0; i < values.size(); ++i) {
        const QByteArray value = values[i].toUtf8();
        sqlite3_bind_text(raw, i + 1, value.constData(), int(value.size()), SQLITE_TRANSIENT);
    }
    int step;
    while ((step = sqlite3_step(raw)) == SQLITE_ROW) {
        if (each)
            each(raw);
    }
    return step == SQLITE_DONE;
}

QString columnText(sqlite3_stmt *statement, int column)
{
    return QString::fromUtf8(
        reinterpret_cast<const char *>(sqlite3_column_text(statement, column)));
}

} // namespace

core::WriteResult<> snapshot(const QString &dataFolder, const QString &into)
{
    const QDir data(dataFolder);
    const QString kennel = data.filePath(db::DatabaseFiles::fileName(db::File::Kennel));
    const QString report = data.filePath(db::DatabaseFiles::fileName(db::File::Report));
    for (const QString &file : {kennel, report}) {
        if (!QFile::exists(file))
            return core::failure(QStringLiteral("%1 is missing").arg(file));
    }
    const Connection source = openFile(kennel, SQLITE_OPEN_READONLY);
    if (!source || sqlite3_errcode(source.get()) != SQLITE_OK)
        return core::failure(errorOf(source.get()));
    if (!run(source.get(), QStringLiteral("ATTACH DATABASE ? AS report"), {report}))
        return core::failure(errorOf(source.get()));
    // Reading both schemas takes the read locks of both files for the whole transaction.
    if (!run(source.get(), QStringLiteral("BEGIN")) ||
        !run(source.get(), QStringLiteral("SELECT count(*) FROM main.sqlite_master")) ||
        !run(source.get(), QStringLiteral("SELECT count(*) FROM report.sqlite_master")))
        return core::failure(errorOf(source.get()));
    for (const auto &[schema, file] :
         {std::pair{"main", db::File::Kennel}, std::pair{"report", db::File::Report}}) {
        const QString target = QDir(into).filePath(db::DatabaseFiles::fileName(file));
        QFile::remove(target);
        const Connection copy = openFile(target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        if (!copy || sqlite3_errcode(copy.get()) != SQLITE_OK)
            return core::failure(errorOf(copy.get()));
        sqlite3_backup *backup = sqlite3_backup_init(copy.get(), "main", source.get(), schema);
        if (!backup)
            return core::failure(errorOf(copy.get()));
        const int stepped = sqlite3_backup_step(backup, -1);
        sqlite3_backup_finish(backup);
        if (stepped != SQLITE_DONE)
            return core::failure(errorOf(copy.get()));
    }
    run(source.get(), QStringLiteral("COMMIT"));
    return {};
}

QMap<QString, qint64> rowCounts(const QString &file, const db::StopWhen *stop)
{
    QMap<QString, qint64> counts;
    const Connection connection = openFile(file, SQLITE_OPEN_READONLY);
    if (!connection)
        return counts;
    db::stopWhen(connection.get(), stop);
    QStringList tables;
    run(connection.get(),
        QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE "
                       "'sqlite_%' ORDER BY name"),
        {}, [&](sqlite3_stmt *row) { tables << columnText(row, 0); });
    for (const QString &table : std::as_const(tables))
        run(connection.get(), QStringLiteral("SELECT count(*) FROM ") + db::quoted(table), {},
            [&](sqlite3_stmt *row) { counts.insert(table, sqlite3_column_int64(row, 0)); });
    return counts;
}

QString integrityProblem(const QString &file, const db::StopWhen *stop)
{
    const Connection connection = openFile(file, SQLITE_OPEN_READONLY);
    if (!connection || sqlite3_errcode(connection.get()) != SQLITE_OK)
        return errorOf(connection.get());
    db::stopWhen(connection.get(), stop);
    QStringList problems;
    if (!run(connection.get(), QStringLiteral("PRAGMA integrity_check"), {},
             [&](sqlite3_stmt *row) { problems << columnText(row, 0); }))
        return errorOf(connection.get());
    return problems == QStringList{QStringLiteral("ok")} ? QString()
                                                         : problems.join(QStringLiteral("; "));
}

} // namespace backup
