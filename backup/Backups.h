#pragma once

#include "core/WriteResult.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <QDateTime>
#include <QString>
#include <QStringList>

class QTemporaryDir;

namespace backup {

struct BackupMade
{
    QString path;
    qint64 bytes = 0;
};

// The program's own folder beside the kennel for copies it works on, made when first needed
// and readable by the user alone; null when it cannot be made.
std::unique_ptr<QTemporaryDir> workCopyFolder(const QString &dataFolder);
// Removes what a copy of the program cut short left in it; only while no copy runs.
void removeWorkCopies(const QString &dataFolder);

// "Houndry backup 2026-12-08 0730.zip"
QString archiveName(const QDateTime &at);

// Writes an archive of the kennel in `dataFolder`: both files from one moment and a manifest
// (program version, time taken, rows of every table, SHA-256 of each file).
core::WriteResult<BackupMade> backUp(const QString &dataFolder, const QString &archivePath,
                                     const QDateTime &now);

// The automatic backups live in "backups" beside the data files.
QString automaticFolder(const QString &dataFolder);
std::optional<QDateTime> lastAutomaticBackup(const QString &dataFolder);
// None yet, or none made on the day of `now` (local time).
bool automaticBackupDue(const QString &dataFolder, const QDateTime &now);
// Writes one, then keeps the newest ten and the first of each of the last twelve months.
core::WriteResult<BackupMade> backUpAutomatically(const QString &dataFolder, const QDateTime &now);
// The automatic backups to delete: all but the newest ten and the first of each month of
// the twelve months up to `now`.
QStringList backupsToRemove(const QStringList &names, const QDateTime &now);

// What a kennel holds, for the user to compare.
struct KennelContents
{
    QDateTime taken;
    qint64 dogs = 0;
    qint64 contacts = 0;
    qint64 matings = 0;
    qint64 sales = 0;
    qint64 photos = 0;
};
KennelContents contentsOf(const QString &dataFolder);

// An archive checked for restoring: both files unpacked, sound, matching the manifest's
// SHA-256, and a kennel's that start-up can prepare. `problem` says why not.
struct CheckedArchive
{
    QString problem;
    bool cancelled = false;
    KennelContents contents;
    std::shared_ptr<QTemporaryDir> unpacked;
    QString kennelFile;
    QString reportFile;
    QStringList photos; // the unpacked photo files
};

// What the check tells while it runs, and when it stops: on the user's word, or after a time
// far beyond what a kennel's files take, when the archive is refused as unusual.
struct CheckControl
{
    std::function<void(const QString &stage)> stage;
    std::function<bool()> cancelled;
    std::chrono::milliseconds limit{0}; // none given: a minute and three seconds a megabyte
};

// Unpacks and checks an archive in the kennel's work folder, off the screen's thread if need
// be: nothing of the kennel is touched.
CheckedArchive checkArchive(const QString &path, const QString &dataFolder,
                            const CheckControl &control = {});

// Puts the checked archive's photos in the kennel's photos folder; the photos there that the
// archive does not hold stay, since other backups' kennels may list them.
QString restorePhotos(const CheckedArchive &checked, const QString &dataFolder);

} // namespace backup
