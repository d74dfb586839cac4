#include "app/MainWindow.h"
#include "app/UserKennel.h"
#include "core/Messages.h"
#include "core/version.h"
#include "db/DatabaseFiles.h"
#include "ui/AppIcon.h"
#include "ui/MessageBoxes.h"

#include <cstdio>
#include <cstdlib>
#include <QApplication>
#include <QCommandLineParser>
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

    if (const QString problem = db::DatabaseFiles::open(); !problem.isEmpty()) {
        core::tell(problem);
        return EXIT_FAILURE;
    }
    int status = 0;
    {
        app::MainWindow window;
        window.resize(window.screen()->availableGeometry().size());
        window.showMaximized();
        status = QApplication::exec();
    }
    db::DatabaseFiles::close();
    return status;
}
