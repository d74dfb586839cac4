#include "db/SchemaUpgrade.h"

#include "core/version.h"
#include "db/LayoutSteps.h"
#include "db/Preferences.h"
#include "db/RunStatement.h"
#include "db/Transaction.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringBuilder>
#include <QVariant>

namespace db {
namespace {

// A table made again by the repair starts with the rows the step that made it gave it.
bool fillNewTable(QSqlDatabase &db, const QString &table, QString *error)
{
    for (const QString &statement : firstRowsOf(table)) {
        if (!runInto(db, statement, error))
            return false;
    }
    return true;
}

// Adds what is missing and never changes or drops what exists.
bool completeSchema(QSqlDatabase &db, const Schema &schema, QString *error)
{
    const QStringList tables = db.tables();
    for (const Table &table : schema.tables) {
        if (!tables.contains(table.name, Qt::CaseInsensitive)) {
            if (!runInto(db, table.createStatement(), error) ||
                !fillNewTable(db, table.name, error))
                return false;
            continue;
        }
        const QSqlRecord existing = db.record(table.name);
        for (const Column &column : table.columns) {
            if (existing.indexOf(column.name) >= 0 || column.kind == ColumnKind::AutoId)
                continue;
            if (!runInto(db,
                         QStringLiteral("ALTER TABLE ") % quoted(table.name) %
                             QStringLiteral(" ADD COLUMN ") % column.definition(),
                         error))
                return false;
        }
    }
    for (const Index &index : schema.indexes) {
        QSqlQuery q(db);
        q.prepare(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = ?"));
        q.addBindValue(index.name);
        if (!q.exec()) {
            *error = q.lastError().text();
            return false;
        }
        if (!q.next() && !runInto(db, index.createStatement(), error))
            return false;
    }
    return true;
}

QString programVersion()
{
    return QStringLiteral("%1.%2.%3")
        .arg(core::versionMajor)
        .arg(core::versionMinor)
        .arg(core::versionRevision);
}

} // namespace

const Schema &schemaOf(File file)
{
    return file == File::Kennel ? kennelSchema() : reportSchema();
}

int currentVersion(File)
{
    return layoutSteps();
}

int storedVersion(const QSqlDatabase &db)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
        return -1;
    return q.value(0).toInt();
}

QString upgrade(QSqlDatabase &db, File file)
{
    const int from = storedVersion(db);
    if (from < 0)
        return QStringLiteral("its version cannot be read");
    // One transaction for every step and the repair: a file is left at its old version or
    // at the new one, never between.
    Transaction upgrading(db);
    for (int version = from + 1; version <= currentVersion(file); ++version) {
        if (const QString problem = runLayoutStep(db, file, version); !problem.isEmpty())
            return problem;
    }
    QString error;
    if (from < currentVersion(file)) {
        if (!runInto(db, QStringLiteral("PRAGMA user_version = %1").arg(currentVersion(file)),
                     &error))
            return error;
        if (file == File::Kennel) {
            if (const auto noted = setPreference(db, writtenByPreference(), programVersion());
                !noted)
                return noted.problem();
        }
    }
    // A table or column dropped by hand from a file at this version is made again; where
    // nothing is missing, nothing is written.
    if (!completeSchema(db, schemaOf(file), &error))
        return error;
    if (const auto committed = upgrading.commit(); !committed)
        return committed.problem();
    return {};
}

} // namespace db
