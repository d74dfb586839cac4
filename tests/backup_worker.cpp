// Backs up, restores or imports in a loop, forever, so that a test can kill it at any moment:
//   backup_worker backup <archive folder>   writes numbered archives of the working folder
//   backup_worker restore <a> <b>           puts the pair in folder <a>, then <b>, in turn
//   backup_worker import <csv file>         adds the file's dogs to the working folder's kennel
// or checks an archive once, for a test to weigh the memory that takes:
//   backup_worker check <archive>           prints the problem and the peak memory in KB
#include "backup/Backups.h"
#include "db/DatabaseFiles.h"
#include "db/FilePair.h"
#include "transfer/ImportPlan.h"

#include <cstdio>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() < 3)
        return 2;
    if (arguments[1] == QLatin1String("check")) {
        const backup::CheckedArchive checked =
            backup::checkArchive(arguments[2], QDir::currentPath());
        // The peak of this program's own memory: getrusage's would keep the peak of the
        // test that started it, from before the exec.
        QFile status(QStringLiteral("/proc/self/status"));
        status.open(QIODevice::ReadOnly);
        QByteArray peak;
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("VmHWM:"))
                peak = line.mid(6).trimmed().split(' ').value(0);
        }
        std::printf("%s\n%s\n", checked.problem.toUtf8().constData(), peak.constData());
        return 0;
    }
    transfer::ImportSettings settings;
    if (arguments[1] == QLatin1String("import")) {
        if (!db::DatabaseFiles::open().isEmpty())
            return 1;
        settings.mapping = {QStringLiteral("name")};
        settings.matching = transfer::Matching::AddNew;
    }
    for (int round = 0;; ++round) {
        if (arguments[1] == QLatin1String("import")) {
            if (!transfer::runImport(transfer::dogTarget(), db::DatabaseFiles::kennel(),
                                     arguments[2], settings))
                return 1;
        } else if (arguments[1] == QLatin1String("backup")) {
            const QString path =
                QDir(arguments[2]).filePath(QStringLiteral("archive %1.zip").arg(round));
            if (!backup::backUp(QDir::currentPath(), path, QDateTime::currentDateTime()))
                return 1;
        } else {
            const QDir from(arguments[2 + round % 2]);
            if (!db::replaceBothFiles(from.filePath("kennelbase.ddx"), from.filePath("report.ddx")))
                return 1;
        }
        if (round == 0) {
            std::puts("working");
            std::fflush(stdout);
        }
    }
}
