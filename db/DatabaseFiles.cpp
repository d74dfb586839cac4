#include "db/DatabaseFiles.h"

#include "db/FilePair.h"
#include "db/FilePlace.h"
#include "db/RawRows.h"
#include "db/SchemaCheck.h"
#include "db/SchemaUpgrade.h"
#include "db/SqliteHandle.h"
#include "db/WritesWaiting.h"

#include <atomic>
#include <QFileInfo>
#include <QStringBuilder>
#include <QThread>

namespace db {

using namespace files;

namespace {

std::atomic<quint64> &openingCount()
{
    static std::atomic<quint64> count{0};
    return count;
}

QString &readOnlyReason()
{
    static QString reason;
    return reason;
}

} // namespace

bool DatabaseFiles::isReadOnly()
{
    return !readOnlyReason().isEmpty();
}

QString DatabaseFiles::readOnlyNotice()
{
    return readOnlyReason();
}

QString DatabaseFiles::fileName(File file)
{
    return file == File::Kennel ? QStringLiteral("kennelbase.ddx") : QStringLiteral("report.ddx");
}

QSqlDatabase DatabaseFiles::database(File file)
{
    const QString connection = connectionName(file);
    if (QSqlDatabase::contains(connection))
        return QSqlDatabase::database(connection, false);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    db.setDatabaseName(fileName(file));
    db.setConnectOptions(connectOptions());
    return db;
}

QString DatabaseFiles::open()
{
    close();
    ++openingCount();
    finishReplacingFiles();
    readOnlyReason().clear();
    for (File file : {File::Kennel, File::Report}) {
        if (QString problem = check(livePlace(), file); !problem.isEmpty())
            return problem;
    }
    // A file from a newer program is never upgraded nor written to: both are opened
    // read-only, as a pair, and only a missing one is made.
    QStringList newer;
    for (File file : {File::Kennel, File::Report}) {
        if (const int version = versionOf(livePlace(), file); version > currentVersion(file))
            newer << describe(file) % QStringLiteral(" was written by ") %
                         newerWriter(livePlace(), file, version) % QLatin1Char('.');
    }
    for (File file : {File::Kennel, File::Report}) {
        const bool missing = !QFileInfo::exists(fileName(file));
        if (missing && !createOwnerOnlyFile(fileName(file)))
            return describe(file) % QStringLiteral(" cannot be created.");
        if (!newer.isEmpty() && !missing)
            continue;
        if (QString problem = prepare(livePlace(), file); !problem.isEmpty())
            return problem;
    }
    if (!newer.isEmpty()) {
        for (File file : {File::Kennel, File::Report}) {
            QSqlDatabase db = database(file);
            db.close();
            db.setConnectOptions(connectOptions(true));
            if (const QString problem = openHardened(db); !problem.isEmpty())
                return describe(file) % QLatin1Char(' ') % problem;
        }
        readOnlyReason() =
            newer.join(QLatin1Char('\n')) %
            QStringLiteral("\n\nThis Houndry opens the kennel read-only: you can look at "
                           "everything and print it, but nothing can be changed, added or "
                           "restored. Use the newer Houndry to work with this kennel again.");
    }
    if (QString problem = attachReport(livePlace()); !problem.isEmpty())
        return problem;
    for (File file : {File::Kennel, File::Report})
        noteWaitingWrites(sqliteHandle(database(file)));
    return {};
}

quint64 DatabaseFiles::openings()
{
    return openingCount();
}

QString DatabaseFiles::checkPages(File file, const std::function<bool()> &cancelled)
{
    const quint64 opening = openings();
    const auto ended = [&] { return cancelled() || openings() != opening; };
    // Writes come in bursts: the check starts again once they have paused.
    constexpr qint64 pauseMs = 300;
    for (;;) {
        while (!ended() && writeWaitedSince(waitClock() - pauseMs))
            QThread::msleep(50);
        const qint64 started = waitClock();
        const StopWhen stop = [&] { return ended() || writeWaitedSince(started); };
        QString problem;
        bool again = false;
        const bool opened = withReadOnlyConnection(fileName(file), [&](QSqlDatabase &db) {
            stopWhen(sqliteHandle(db), &stop);
            const CheckAnswer answer = askFile(db, true);
            stopWhen(sqliteHandle(db), nullptr);
            // Interrupted to let a write through, or waiting on one for too long.
            again = answer.code == QLatin1String("9") || answer.code == QLatin1String("5");
            problem = answer.problem;
        });
        if (ended())
            return {};
        if (again)
            continue;
        if (!opened)
            problem = QStringLiteral("it cannot be opened again to be checked");
        if (problem.isEmpty())
            return {};
        return describe(file) % QStringLiteral(" is damaged (") % problem %
               QStringLiteral(").\n\nHoundry will now close.");
    }
}

QString DatabaseFiles::tryCopy(const QString &folder, const StopWhen *stop)
{
    const Place place{folder, false, stop};
    QString problem;
    // What the file holds is looked at before anything in it runs.
    for (File file : {File::Kennel, File::Report}) {
        QSqlDatabase db = place.connection(file);
        db.setConnectOptions(connectOptions(true));
        if (problem.isEmpty() && hasSqliteHeader(place.path(file)) && db.open()) {
            if (const QStringList foreign = foreignObjects(db, file); !foreign.isEmpty())
                problem = describe(place, file) % QStringLiteral(" holds ") %
                          listedBriefly(foreign) %
                          QStringLiteral(". Houndry cannot work with it safely.");
            db.close();
        }
    }
    for (File file : {File::Kennel, File::Report}) {
        if (problem.isEmpty())
            problem = check(place, file);
        if (problem.isEmpty()) {
            if (const int version = versionOf(place, file); version > currentVersion(file))
                problem = describe(place, file) % QStringLiteral(" was written by ") %
                          newerWriter(place, file, version) %
                          QStringLiteral(": this Houndry cannot work with it.");
        }
    }
    for (File file : {File::Kennel, File::Report}) {
        if (problem.isEmpty())
            problem = prepare(place, file);
    }
    if (problem.isEmpty())
        problem = attachReport(place);
    for (File file : {File::Kennel, File::Report}) {
        place.connection(file).close();
        QSqlDatabase::removeDatabase(place.trialConnection(file));
    }
    if (stop && *stop && (*stop)())
        return QStringLiteral("The check was stopped.");
    return problem;
}

void DatabaseFiles::close()
{
    for (File file : {File::Kennel, File::Report}) {
        const QString connection = connectionName(file);
        if (!QSqlDatabase::contains(connection))
            continue;
        QSqlDatabase::database(connection, false).close();
        QSqlDatabase::removeDatabase(connection);
    }
}

} // namespace db