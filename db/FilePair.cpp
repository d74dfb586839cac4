#include "db/FilePair.h"

#include "db/DatabaseFiles.h"

#include <fcntl.h>
#include <QDir>
#include <QFile>
#include <unistd.h>

namespace db {
namespace {

const QString marker = QStringLiteral("houndry-restore.pending");

QString incoming(File file)
{
    return DatabaseFiles::fileName(file) + QStringLiteral(".incoming");
}

bool syncFolder()
{
    return syncToDisk(QDir::currentPath(), true);
}

// A journal or WAL left by the old file would be played into the new one.
void removeCompanions(File file)
{
    for (const char *suffix : {"-journal", "-wal", "-shm"})
        QFile::remove(DatabaseFiles::fileName(file) + QLatin1String(suffix));
}

bool renameOver(const QString &from, const QString &to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

} // namespace

bool syncToDisk(const QString &path, bool directory)
{
    const int fd = ::open(QFile::encodeName(path).constData(), directory ? O_RDONLY : O_RDWR);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

core::WriteResult<> replaceBothFiles(const QString &newKennel, const QString &newReport)
{
    finishReplacingFiles();
    for (const auto &[source, file] :
         {std::pair{newKennel, File::Kennel}, std::pair{newReport, File::Report}}) {
        QFile::remove(incoming(file));
        if (!QFile::copy(source, incoming(file)) ||
            !QFile::setPermissions(incoming(file),
                                   QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
            !syncToDisk(incoming(file), false)) {
            QFile::remove(incoming(File::Kennel));
            QFile::remove(incoming(File::Report));
            return core::failure(QStringLiteral("the new files cannot be written beside the old"));
        }
    }
    QFile pending(marker);
    if (!pending.open(QIODevice::WriteOnly | QIODevice::Truncate) || !pending.flush() ||
        !syncToDisk(marker, false) || !syncFolder()) {
        pending.close();
        QFile::remove(marker);
        finishReplacingFiles();
        return core::failure(QStringLiteral("the change cannot be recorded in the folder"));
    }
    pending.close();
    finishReplacingFiles();
    if (QFile::exists(marker))
        return core::failure(QStringLiteral("the new files cannot be put in place"));
    return {};
}

void finishReplacingFiles()
{
    if (!QFile::exists(marker)) {
        // The new pair was never made certain: the old one stands.
        QFile::remove(incoming(File::Kennel));
        QFile::remove(incoming(File::Report));
        return;
    }
    for (File file : {File::Kennel, File::Report}) {
        if (!QFile::exists(incoming(file)))
            continue; // renamed before the crash
        removeCompanions(file);
        if (!renameOver(incoming(file), DatabaseFiles::fileName(file)))
            return;
    }
    if (syncFolder())
        QFile::remove(marker);
}

} // namespace db
