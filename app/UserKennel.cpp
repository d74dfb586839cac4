#include "app/UserKennel.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace app {

QString userKennelFolder()
{
    return QDir::home().filePath(QStringLiteral("Houndry"));
}

QString enterKennelFolder(const QString &folder)
{
    const QString shown = QDir::toNativeSeparators(folder);
    const QFileInfo info(folder);
    if (!info.exists()) {
        if (!QDir().mkpath(folder) ||
            !QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ExeOwner))
            return QStringLiteral("The kennel folder %1 could not be created.").arg(shown);
    } else if (!info.isDir()) {
        return QStringLiteral("The kennel folder %1 cannot be used: a file of that name is in "
                              "its place.")
            .arg(shown);
    }
    // Permissions alone do not tell: a folder may refuse files on a read-only disk.
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".houndry-XXXXXX")));
    if (!QDir::setCurrent(folder) || !probe.open())
        return QStringLiteral("The kennel folder %1 cannot be used: new files cannot be written "
                              "in it.")
            .arg(shown);
    return {};
}

} // namespace app
