#pragma once

#include "core/WriteResult.h"

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
};
KennelContents contentsOf(const QString &dataFolder);

// An archive checked for restoring: both files unpacked, sound, matching the manifest's
// SHA-256, and a kennel's. `problem` says why not.
struct CheckedArchive
{
    QString problem;
    KennelContents contents;
    std::shared_ptr<QTemporaryDir> unpacked;
    QString kennelFile;
    QString reportFile;
};
CheckedArchive checkArchive(const QString &path);

} // namespace backup
