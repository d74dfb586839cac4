#pragma once

#include "db/DatabaseFiles.h"
#include "db/SqliteHandle.h"

#include <QDir>
#include <QSqlDatabase>
#include <QString>

// How the pair of files is checked, opened and prepared, in the working folder or in a copy
// elsewhere; within the db library only.
namespace db::files {

inline QString connectionName(File file)
{
    return file == File::Kennel ? QStringLiteral("kennel") : QStringLiteral("report");
}

// Where a pair of files is opened: the working folder, on the program's own connections, or
// a copy elsewhere on a trial's own, as a restore tries an archive before it replaces anything.
struct Place
{
    QString folder;
    bool live = true;
    const StopWhen *stop = nullptr;

    QString path(File file) const
    {
        return live ? DatabaseFiles::fileName(file)
                    : QDir(folder).filePath(DatabaseFiles::fileName(file));
    }
    QString trialConnection(File file) const
    {
        return QStringLiteral("trial ") + connectionName(file);
    }
    QSqlDatabase connection(File file) const
    {
        if (live)
            return DatabaseFiles::database(file);
        QSqlDatabase db =
            QSqlDatabase::contains(trialConnection(file))
                ? QSqlDatabase::database(trialConnection(file), false)
                : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), trialConnection(file));
        db.setDatabaseName(path(file));
        db.setConnectOptions(connectOptions());
        return db;
    }
};

Place livePlace();
QString describe(const Place &place, File file);
QString describe(File file);
// The message for the user: what is wrong with the file, and for the working folder's files,
// that the program leaves it as it is and closes.
QString refusal(const Place &place, File file, const QString &problem);
// Opens the file with the safety settings; what went wrong ("cannot be opened: ...") when
// it cannot be, and the file is then closed again.
QString openHardened(QSqlDatabase &db, const StopWhen *stop = nullptr);
bool hasSqliteHeader(const QString &path);
struct CheckAnswer
{
    QString problem; // empty when the file answered as a sound one does
    QString code;    // SQLite's code when the statement itself failed
};
// Reads every page of an open file (`PRAGMA quick_check`), or with `everyPage` false only its
// schema's version, which is enough to learn that another program holds it.
CheckAnswer askFile(const QSqlDatabase &db, bool everyPage);
// Everything that can be found out without writing: the file, if present, must be an
// undamaged SQLite database that can be written in a writable folder.
QString check(const Place &place, File file);
bool createOwnerOnlyFile(const QString &name);
// The journal, the layout brought up to date and the permissions of a file just made.
QString prepare(const Place &place, File file);
// Attaches the report file to the kennel's connection, so that a sale's one transaction
// covers both.
QString attachReport(const Place &place);
// The layout version of a file present, read without writing; 0 for a missing file.
int versionOf(const Place &place, File file);
// What a newer Houndry that wrote the file can be called, for the user.
QString newerWriter(const Place &place, File file, int version);

} // namespace db::files
