#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

namespace core {
class BackgroundTask;
}
class QWidget;

namespace ui {
class ScreenHost;
}

namespace app {

// The File menu's backup and restore, and the automatic backup at start-up, for the kennel
// in the working folder.
class KennelBackups : public QObject
{
    Q_OBJECT
public:
    KennelBackups(QWidget *window, ui::ScreenHost *screens);

    // Starts an automatic backup in the background when the newest is more than a day old.
    void backUpIfDue();
    // Waits for a backup running in the background.
    void waitForBackground();

    // Asks for a folder (the last one used first), then backs up into it.
    void chooseAndBackUp();
    void backUpTo(const QString &folder);
    // Asks for an archive, then restores from it.
    void chooseAndRestore();
    void restoreFrom(const QString &archive);

    // Before the first deletion of a day: a backup in the backups folder; the problem, or
    // empty when there is one.
    QString backUpBeforeDeleting();

    // "Last backup: ..." for the status bar.
    QString lastBackupText() const;

Q_SIGNALS:
    void lastBackupChanged(const QString &text);

private:
    void noteBackup();

    QWidget *m_window;
    ui::ScreenHost *m_screens;
    QPointer<core::BackgroundTask> m_background;
};

} // namespace app
