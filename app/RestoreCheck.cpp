#include "app/RestoreCheck.h"

#include "app/LocalSettings.h"
#include "core/BackgroundTask.h"
#include "core/Clock.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "db/FilePair.h"

#include <atomic>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProgressDialog>

namespace app {

backup::CheckedArchive checkWithProgress(QWidget *parent, const QString &archive,
                                         const QString &dataFolder)
{
    QProgressDialog progress(QStringLiteral("Checking the backup"), QStringLiteral("Cancel"), 0, 0,
                             parent);
    progress.setWindowTitle(QStringLiteral("Restore from Backup"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    std::atomic<bool> cancelled = false;
    QObject::connect(&progress, &QProgressDialog::canceled, &progress,
                     [&cancelled] { cancelled = true; });
    backup::CheckControl control;
    control.cancelled = [&cancelled] { return cancelled.load(); };
    // Queued to the dialog: once it is gone, a late stage is dropped with it.
    control.stage = [&progress](const QString &stage) {
        QMetaObject::invokeMethod(
            &progress, [&progress, stage] { progress.setLabelText(stage); }, Qt::QueuedConnection);
    };
    backup::CheckedArchive checked;
    QEventLoop waiting;
    progress.show();
    core::BackgroundTask check(
        [&] { checked = backup::checkArchive(archive, dataFolder, control); });
    QObject::connect(&check, &core::BackgroundTask::finished, &waiting, &QEventLoop::quit);
    waiting.exec();
    return checked;
}

namespace {

// The archives of the backups folder, newest first by when they were written.
QFileInfoList backupsNewestFirst(const QString &dataFolder)
{
    return QDir(backup::automaticFolder(dataFolder))
        .entryInfoList({QStringLiteral("*.zip")}, QDir::Files, QDir::Time);
}

// The kennel's files as they are, copied into the backups folder before anything replaces
// them; the folder, or empty when they could not all be copied.
QString keepFilesAsTheyAre(const QString &dataFolder)
{
    const QString folder =
        QDir(backup::automaticFolder(dataFolder))
            .filePath(QStringLiteral("Kennel files before restore ") +
                      core::Clock::now().toString(QStringLiteral("yyyy-MM-dd HHmmss")));
    if (!QDir().mkpath(folder))
        return {};
    for (db::File file : {db::File::Kennel, db::File::Report}) {
        const QString name = db::DatabaseFiles::fileName(file);
        for (const QString &part : QStringList{name, name + QStringLiteral("-journal")}) {
            const QString from = QDir(dataFolder).filePath(part);
            if (QFileInfo::exists(from) && !QFile::copy(from, QDir(folder).filePath(part)))
                return {};
        }
    }
    return folder;
}

} // namespace

bool offerNewestBackup(const QString &dataFolder, const QString &problem)
{
    const QFileInfoList archives = backupsNewestFirst(dataFolder);
    if (archives.isEmpty()) {
        core::tell(problem);
        return false;
    }
    backup::CheckedArchive usable;
    QFileInfo chosen;
    for (const QFileInfo &archive : archives) {
        backup::CheckedArchive checked =
            checkWithProgress(nullptr, archive.absoluteFilePath(), dataFolder);
        if (checked.cancelled)
            return false;
        if (checked.problem.isEmpty()) {
            usable = std::move(checked);
            chosen = archive;
            break;
        }
    }
    if (!usable.unpacked) {
        core::tell(problem +
                   QStringLiteral("\n\nNone of the %1 backups in %2 can be opened "
                                  "either.")
                       .arg(archives.size())
                       .arg(QDir::toNativeSeparators(backup::automaticFolder(dataFolder))));
        return false;
    }
    const QString question =
        problem.section(QStringLiteral("\n\n"), 0, 0) +
        QStringLiteral("\n\nThe newest backup that Houndry can open is \"%1\", of %2; it holds "
                       "%L3 dogs, %L4 contacts, %L5 matings and %L6 sales.\n\nRestore the "
                       "kennel from it? The kennel's files as they are now are kept in the "
                       "backups folder first.")
            .arg(chosen.fileName(), QLocale().toString(usable.contents.taken, QLocale::LongFormat))
            .arg(usable.contents.dogs)
            .arg(usable.contents.contacts)
            .arg(usable.contents.matings)
            .arg(usable.contents.sales);
    if (!core::askQuestion(question, QStringLiteral("Restore from Backup")))
        return false;
    const QString kept = keepFilesAsTheyAre(dataFolder);
    if (kept.isEmpty()) {
        core::tellNothingChanged(QStringLiteral("The restore"),
                                 QStringLiteral("the kennel's files could not be kept first"));
        return false;
    }
    db::DatabaseFiles::close();
    if (const auto replaced = db::replaceBothFiles(usable.kennelFile, usable.reportFile);
        !replaced) {
        core::tellNothingChanged(QStringLiteral("The restore"), replaced.problem());
        return false;
    }
    if (const QString reopened = localsettings::openKennel(); !reopened.isEmpty()) {
        core::tell(reopened);
        return false;
    }
    core::tell(QStringLiteral("The kennel has been restored from the backup of %1. Its files "
                              "as they were are kept in\n%2")
                   .arg(QLocale().toString(usable.contents.taken, QLocale::LongFormat),
                        QDir::toNativeSeparators(kept)));
    return true;
}

} // namespace app
