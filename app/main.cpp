#include "app/KennelLock.h"
#include "app/LocalSettings.h"
#include "app/MainWindow.h"
#include "app/RestoreCheck.h"
#include "app/UserKennel.h"
#include "backup/Backups.h"
#include "core/Memory.h"
#include "core/Messages.h"
#include "core/version.h"
#include "db/DatabaseFiles.h"
#include "ui/AppIcon.h"
#include "ui/MessageBoxes.h"

#include <cstdio>
#include <cstdlib>
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QScreen>

namespace {

bool displayAvailable()
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char *argv[])
{
    core::returnLargeBlocksWhenFreed();
    if (!displayAvailable()) {
        std::fputs("houndry: no display is available; to run it without a screen, use: "
                   "xvfb-run -a make run\n",
                   stderr);
        return EXIT_FAILURE;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Houndry"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(core::versionMajor)
                                            .arg(core::versionMinor)
                                            .arg(core::versionRevision));
    QApplication::setWindowIcon(ui::appIcon());
    ui::MessageBoxes messageBoxes;
    core::Messages::install(&messageBoxes);

    // Started from the desktop's menu, the program keeps the kennel in the user's own folder;
    // otherwise in the folder it is started in.
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(
        {QStringLiteral("user-kennel"),
         QStringLiteral("Keep the kennel in the folder Houndry of your home folder.")});
    parser.process(application);
    if (parser.isSet(QStringLiteral("user-kennel"))) {
        if (const QString problem = app::enterKennelFolder(app::userKennelFolder());
            !problem.isEmpty()) {
            core::tell(problem);
            return EXIT_FAILURE;
        }
    }

    app::KennelLock lock(QDir::currentPath());
    switch (lock.acquire()) {
    case app::KennelLock::Outcome::Held:
        break;
    case app::KennelLock::Outcome::RaisedOther:
        return EXIT_SUCCESS;
    case app::KennelLock::Outcome::HeldElsewhere:
        core::tell(lock.heldMessage());
        return EXIT_FAILURE;
    }
    // No other copy runs on this kennel: what one left half-done is of no use to anyone.
    backup::removeWorkCopies(QDir::currentPath());
    if (const QString problem = app::localsettings::openKennel();
        !problem.isEmpty() && !app::offerNewestBackup(QDir::currentPath(), problem))
        return EXIT_FAILURE;
    int status = 0;
    {
        app::MainWindow window;
        window.resize(window.screen()->availableGeometry().size());
        window.showMaximized();
        QObject::connect(&lock, &app::KennelLock::raiseRequested, &window, [&window] {
            if (window.isMinimized())
                window.showMaximized();
            window.raise();
            window.activateWindow();
        });
        status = QApplication::exec();
    }
    db::DatabaseFiles::close();
    return status;
}
