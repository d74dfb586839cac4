#include "db/FilePlace.h"

#include "db/Preferences.h"
#include "db/Schema.h"
#include "db/SchemaUpgrade.h"
#include "db/SqliteHandle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringBuilder>
#include <sqlite3.h>

namespace db::files {

Place livePlace()
{
    return {QDir::currentPath(), true};
}

QString describe(const Place &place, File file)
{
    const QString what = file == File::Kennel ? QStringLiteral("The kennel database ")
                                              : QStringLiteral("The report database ");
    if (!place.live)
        return what % DatabaseFiles::fileName(file) % QStringLiteral(" in the backup");
    return what % DatabaseFiles::fileName(file) % QStringLiteral(" in ") %
           QDir::toNativeSeparators(place.folder);
}

QString describe(File file)
{
    return describe(livePlace(), file);
}

QString refusal(const Place &place, File file, const QString &problem)
{
    if (!place.live)
        return describe(place, file) % QStringLiteral(" ") % problem;
    return describe(place, file) % QStringLiteral(" ") % problem %
           QStringLiteral("\n\nHoundry has not changed the file and will now close.");
}

// A file can carry triggers and views that someone else wrote: it may neither rewrite its own
// schema nor call functions with side effects from them.
static QString harden(QSqlDatabase &db)
{
    sqlite3 *connection = sqliteHandle(db);
    if (!connection ||
        sqlite3_db_config(connection, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr) != SQLITE_OK)
        return QStringLiteral("its safety settings could not be applied");
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA trusted_schema = OFF")))
        return q.lastError().text();
    return {};
}

// Opens the file with the safety settings; what went wrong ("cannot be opened: ...") when
// it cannot be, and the file is then closed again.
QString openHardened(QSqlDatabase &db, const StopWhen *stop)
{
    if (!db.open())
        return QStringLiteral("cannot be opened: ") % db.lastError().text();
    if (const QString problem = harden(db); !problem.isEmpty()) {
        db.close();
        return QStringLiteral("cannot be opened safely (") % problem % QStringLiteral(").");
    }
    stopWhen(sqliteHandle(db), stop);
    return {};
}

// SQLite keeps a journal (and a write-ahead log) beside the file; one that is a link could
// make a rollback write somewhere else.
static QString linkedCompanion(const QString &name)
{
    for (const char *suffix : {"-journal", "-wal", "-shm"}) {
        const QString companion = name + QLatin1String(suffix);
        if (QFileInfo(companion).isSymLink())
            return companion;
    }
    return {};
}

bool hasSqliteHeader(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    if (f.size() == 0)
        return true; // an empty file is an empty database
    return f.read(16) == QByteArray("SQLite format 3\0", 16);
}

// An empty database becomes ours; one with tables must have at least one of ours.
static bool holdsOwnTables(const QSqlDatabase &db, File file)
{
    const QStringList tables = db.tables();
    if (tables.isEmpty())
        return true;
    for (const Table &table : schemaOf(file).tables) {
        if (tables.contains(table.name, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

// Everything that can be found out without writing: the file, if present, must be an
// undamaged SQLite database that can be written in a writable folder.
CheckAnswer askFile(const QSqlDatabase &db, bool everyPage)
{
    QSqlQuery q(db);
    if (!q.exec(everyPage ? QStringLiteral("PRAGMA quick_check")
                          : QStringLiteral("PRAGMA schema_version")) ||
        !q.next())
        return {q.lastError().text(), q.lastError().nativeErrorCode()};
    if (everyPage && q.value(0).toString() != QStringLiteral("ok"))
        return {q.value(0).toString(), {}};
    return {};
}

QString check(const Place &place, File file)
{
    const QString name = place.path(file);
    const QFileInfo info(name);
    const QFileInfo folder(place.folder);
    if (!info.exists()) {
        if (!place.live)
            return describe(place, file) % QStringLiteral(" is missing.");
        if (!folder.isWritable())
            return describe(place, file) %
                   QStringLiteral(" is missing and cannot be created, because the folder is "
                                  "read-only.\n\nHoundry will now close.");
        return {};
    }
    if (!info.isReadable())
        return refusal(place, file, QStringLiteral("cannot be read (no permission)."));
    if (!hasSqliteHeader(name))
        return refusal(place, file, QStringLiteral("is not an SQLite database."));
    if (!info.isWritable())
        return refusal(place, file,
                       QStringLiteral("cannot be opened for writing (the file is read-only)."));
    if (!folder.isWritable())
        return refusal(place, file,
                       QStringLiteral("cannot be opened for writing (its folder is read-only)."));
    if (const QString link = linkedCompanion(name); !link.isEmpty())
        return refusal(place, file,
                       QStringLiteral("has a companion file %1 that is a link to another "
                                      "file. Move the link away to open the database.")
                           .arg(link));

    // Not read-only: a journal left by a program killed mid-write must be rolled back first.
    QSqlDatabase db = place.connection(file);
    if (const QString problem = openHardened(db, place.stop); !problem.isEmpty())
        return refusal(place, file, problem);
    // The program's own files are checked page by page on a thread once the menu is up,
    // unless their layout is about to be upgraded: a damaged file is not written to.
    const CheckAnswer answer = askFile(db, !place.live || storedVersion(db) < currentVersion(file));
    const QString &problem = answer.problem;
    const bool inUse = answer.code == QLatin1String("5"); // SQLITE_BUSY
    const bool foreign = problem.isEmpty() && !holdsOwnTables(db, file);
    db.close();
    if (inUse)
        return refusal(place, file,
                       QStringLiteral("is in use by another program (") % problem %
                           QStringLiteral(")."));
    if (!problem.isEmpty())
        return refusal(place, file,
                       QStringLiteral("is damaged (") % problem % QStringLiteral(")."));
    if (foreign)
        return refusal(place, file,
                       QStringLiteral("holds tables, but none of Houndry's: it seems to "
                                      "belong to another program."));
    return {};
}

bool createOwnerOnlyFile(const QString &name)
{
    QFile f(name);
    if (!f.open(QIODevice::NewOnly))
        return false;
    f.close();
    // The contacts are personal data.
    return f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

QString prepare(const Place &place, File file)
{
    QSqlDatabase db = place.connection(file);
    if (const QString problem = openHardened(db, place.stop); !problem.isEmpty())
        return describe(place, file) % QLatin1Char(' ') % problem;
    // An empty file someone else made becomes a kennel: personal data, so the user's alone.
    if (db.tables().isEmpty() &&
        !QFile::setPermissions(place.path(file), QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return describe(place, file) % QStringLiteral(" cannot be made private to you.");
    // A sale writes both files in one transaction, which holds as a set only when both keep
    // a rollback journal: a file copied in from elsewhere may come in write-ahead mode.
    QSqlQuery journal(db);
    if (!journal.exec(QStringLiteral("PRAGMA journal_mode = DELETE")) || !journal.next() ||
        journal.value(0).toString().compare(QLatin1String("delete"), Qt::CaseInsensitive) != 0)
        return describe(place, file) %
               QStringLiteral(" cannot be switched to a rollback journal: ") %
               journal.lastError().text();
    journal.finish();
    if (const QString problem = upgrade(db, file); !problem.isEmpty())
        return describe(place, file) % QStringLiteral(" could not be prepared: ") % problem;
    return {};
}

// Attaches the report file to the kennel's connection, so that a sale's one transaction
// covers both.
QString attachReport(const Place &place)
{
    QSqlQuery attach(place.connection(File::Kennel));
    attach.prepare(QStringLiteral("ATTACH DATABASE ? AS report"));
    attach.addBindValue(place.path(File::Report));
    if (!attach.exec())
        return describe(place, File::Report) % QStringLiteral(" cannot be opened: ") %
               attach.lastError().text();
    return {};
}

// The layout version of a file present, read without writing; 0 for a missing file.
int versionOf(const Place &place, File file)
{
    if (!QFileInfo::exists(place.path(file)))
        return 0;
    QSqlDatabase db = place.connection(file);
    if (!db.open())
        return 0;
    const int version = storedVersion(db);
    db.close();
    return version;
}

// A file that a newer Houndry wrote: what this one can say of it, for the user.
QString newerWriter(const Place &place, File file, int version)
{
    QSqlDatabase db = place.connection(file);
    QString writer;
    if (file == File::Kennel && db.open()) {
        writer = preference(db, writtenByPreference());
        db.close();
    }
    return writer.isEmpty() ? QStringLiteral("a newer Houndry (file version %1)").arg(version)
                            : QStringLiteral("Houndry %1").arg(writer);
}

} // namespace db::files
