#include "app/KennelBackups.h"

#include "app/LocalSettings.h"
#include "app/RestoreCheck.h"
#include "backup/Archive.h"
#include "backup/Backups.h"
#include "core/BackgroundTask.h"
#include "core/Clock.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "db/FilePair.h"
#include "db/Preferences.h"
#include "ui/ScreenHost.h"

#include <QDir>
#include <QFileDialog>
#include <QLocale>

namespace app {
namespace {

const QString folderPreference = QStringLiteral("backup folder");
const QString lastPreference = QStringLiteral("last backup");

QString dataFolder()
{
    return QDir::currentPath();
}

QString describe(const backup::KennelContents &contents)
{
    const QLocale locale;
    const QString photos = contents.photos > 0
                               ? QStringLiteral(", %1 photos").arg(locale.toString(contents.photos))
                               : QString();
    return QStringLiteral("%1 dogs, %2 contacts, %3 matings, %4 sales")
               .arg(locale.toString(contents.dogs), locale.toString(contents.contacts),
                    locale.toString(contents.matings), locale.toString(contents.sales)) +
           photos;
}

} // namespace

KennelBackups::KennelBackups(QWidget *window, ui::ScreenHost *screens)
    : QObject(window), m_window(window), m_screens(screens)
{
}

void KennelBackups::waitForBackground()
{
    if (m_background)
        m_background->wait();
}

QString KennelBackups::lastBackupText() const
{
    // An automatic backup written while the program was closing was never noted.
    QDateTime last = QDateTime::fromString(
        db::preference(db::DatabaseFiles::kennel(), lastPreference), Qt::ISODate);
    if (const auto automatic = backup::lastAutomaticBackup(dataFolder());
        automatic && (!last.isValid() || *automatic > last))
        last = *automatic;
    if (!last.isValid())
        return QStringLiteral("No backup made yet");
    return QStringLiteral("Last backup: ") + QLocale().toString(last, QLocale::ShortFormat);
}

void KennelBackups::noteBackup()
{
    db::setPreference(db::DatabaseFiles::kennel(), lastPreference,
                      core::Clock::now().toString(Qt::ISODate));
    Q_EMIT lastBackupChanged(lastBackupText());
}

void KennelBackups::backUpIfDue()
{
    const QString folder = dataFolder();
    const QDateTime now = core::Clock::now();
    // What a backup cut short by a kill left behind, here and in the folder chosen last.
    backup::removePartialArchives(backup::automaticFolder(folder), now);
    if (const QString chosen = db::preference(db::DatabaseFiles::kennel(), folderPreference);
        !chosen.isEmpty())
        backup::removePartialArchives(chosen, now);
    if (m_background || !backup::automaticBackupDue(folder, now))
        return;
    auto result = std::make_shared<core::WriteResult<backup::BackupMade>>(
        core::failure(QStringLiteral("the backup did not run")));
    // Its own connection in its own thread: the main menu does not wait for it.
    m_background = new core::BackgroundTask(
        [folder, now, result] { *result = backup::backUpAutomatically(folder, now); }, this);
    connect(m_background, &core::BackgroundTask::finished, this, [this, result] {
        m_background->deleteLater();
        if (*result)
            noteBackup();
        else
            core::tell(QStringLiteral("The automatic backup could not be written (%1). The kennel "
                                      "itself is unchanged; Houndry tries again when it next "
                                      "starts.")
                           .arg(result->problem()));
    });
}

void KennelBackups::chooseAndBackUp()
{
    QString start = db::preference(db::DatabaseFiles::kennel(), folderPreference);
    if (start.isEmpty() || !QDir(start).exists())
        start = QDir::homePath();
    const QString folder =
        QFileDialog::getExistingDirectory(m_window, QStringLiteral("Back Up Kennel"), start);
    if (!folder.isEmpty())
        backUpTo(folder);
}

void KennelBackups::backUpTo(const QString &folder)
{
    if (QDir(folder).canonicalPath() == QDir(dataFolder()).canonicalPath()) {
        core::tell(QStringLiteral("Please choose another folder: a backup kept beside the kennel "
                                  "is lost together with it."));
        return;
    }
    waitForBackground();
    const QDateTime now = core::Clock::now();
    const QString path = QDir(folder).filePath(backup::archiveName(now));
    const auto made = backup::backUp(dataFolder(), path, now);
    if (!made) {
        core::tellNothingChanged(QStringLiteral("The backup"), made.problem());
        return;
    }
    db::setPreference(db::DatabaseFiles::kennel(), folderPreference, folder);
    noteBackup();
    core::tell(QStringLiteral("The kennel has been backed up to\n%1\n(%2).")
                   .arg(QDir::toNativeSeparators(made.value().path),
                        QLocale().formattedDataSize(made.value().bytes)));
}

QString KennelBackups::backUpBeforeDeleting()
{
    const QDateTime now = core::Clock::now();
    const QString prefix = QStringLiteral("Houndry backup before deleting ");
    const QDir folder(backup::automaticFolder(dataFolder()));
    if (!folder
             .entryList({prefix + now.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('*')},
                        QDir::Files)
             .isEmpty())
        return {};
    waitForBackground();
    QDir().mkpath(folder.path());
    const auto made =
        backup::backUp(dataFolder(),
                       folder.filePath(prefix + now.toString(QStringLiteral("yyyy-MM-dd HHmmss")) +
                                       QStringLiteral(".zip")),
                       now);
    return made ? QString() : made.problem();
}

void KennelBackups::chooseAndRestore()
{
    QString start = db::preference(db::DatabaseFiles::kennel(), folderPreference);
    if (start.isEmpty() || !QDir(start).exists())
        start = backup::automaticFolder(dataFolder());
    const QString archive =
        QFileDialog::getOpenFileName(m_window, QStringLiteral("Restore from Backup"), start,
                                     QStringLiteral("Houndry backups (*.zip)"));
    if (!archive.isEmpty())
        restoreFrom(archive);
}

void KennelBackups::restoreFrom(const QString &archive)
{
    if (db::DatabaseFiles::isReadOnly()) {
        core::tell(QStringLiteral("This kennel was written by a newer Houndry and is open "
                                  "read-only: a backup cannot be restored over it here."));
        return;
    }
    const backup::CheckedArchive checked = checkWithProgress(m_window, archive, dataFolder());
    if (checked.cancelled)
        return;
    if (!checked.problem.isEmpty()) {
        core::tell(QStringLiteral("This file cannot be restored: %1 Nothing has been changed.")
                       .arg(checked.problem));
        return;
    }
    const QString question =
        QStringLiteral("Restore the kennel from this backup?\n\nThe backup of %1 holds %2.\nThe "
                       "kennel now holds %3.\n\nThe kennel as it is now is backed up first.")
            .arg(QLocale().toString(checked.contents.taken, QLocale::LongFormat),
                 describe(checked.contents), describe(backup::contentsOf(dataFolder())));
    if (!core::askQuestion(question, QStringLiteral("Restore from Backup")))
        return;
    if (!m_screens->settleAll())
        return;
    waitForBackground();
    const QDateTime now = core::Clock::now();
    const QString before =
        QDir(backup::automaticFolder(dataFolder()))
            .filePath(QStringLiteral("Houndry backup before restore ") +
                      now.toString(QStringLiteral("yyyy-MM-dd HHmmss")) + QStringLiteral(".zip"));
    QDir().mkpath(backup::automaticFolder(dataFolder()));
    if (const auto saved = backup::backUp(dataFolder(), before, now); !saved) {
        core::tellNothingChanged(QStringLiteral("The backup of the kennel as it is now"),
                                 saved.problem());
        return;
    }
    // The main menu stays; every other screen shows the kennel that is about to go.
    m_screens->closeAll();
    db::DatabaseFiles::close();
    const auto replaced = db::replaceBothFiles(checked.kennelFile, checked.reportFile);
    const QString reopened = localsettings::openKennel();
    if (!replaced) {
        core::tellNothingChanged(QStringLiteral("The restored kennel"), replaced.problem());
        return;
    }
    if (!reopened.isEmpty()) {
        core::tell(reopened);
        return;
    }
    noteBackup();
    if (const QString problem = backup::restorePhotos(checked, dataFolder()); !problem.isEmpty())
        core::tell(QStringLiteral("The kennel has been restored, but %1. The backup still holds "
                                  "them.")
                       .arg(problem));
    core::tell(QStringLiteral("The kennel has been restored from the backup of %1. The kennel "
                              "as it was is kept in\n%2")
                   .arg(QLocale().toString(checked.contents.taken, QLocale::LongFormat),
                        QDir::toNativeSeparators(before)));
}

} // namespace app
