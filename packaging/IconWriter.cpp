// houndry-icons: writes the paw icon as PNG in the sizes desktops look for, into the folder
// named: <folder>/<size>x<size>/apps/org.pawmark.houndry.png.
#include "ui/AppIcon.h"

#include <cstdio>
#include <QCoreApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (application.arguments().size() != 2) {
        std::fputs("usage: houndry-icons <folder>\n", stderr);
        return 1;
    }
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder =
            QDir(application.arguments().at(1)).filePath(QStringLiteral("%1x%1/apps").arg(size));
        if (!QDir().mkpath(folder) ||
            !ui::appIconImage(size).save(folder + QStringLiteral("/org.pawmark.houndry.png"))) {
            std::fprintf(stderr, "houndry-icons: cannot write into %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
