// Copies the files of an older layout into the working folder and opens them, which upgrades
// them, over and over, so that a test can kill it at any point of an upgrade.
//
//   layout_upgrader <folder of an older layout's files>
#include "db/DatabaseFiles.h"

#include <cstdio>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (argc != 2)
        return 2;
    const QDir older(QString::fromLocal8Bit(argv[1]));
    for (int round = 0;; ++round) {
        // Each file is put in place whole, so that a kill during the copy leaves the last one.
        for (const QString &name :
             {QStringLiteral("kennelbase.ddx"), QStringLiteral("report.ddx")}) {
            const QString copy = name + QStringLiteral(".copy");
            QFile::remove(copy);
            if (!QFile::copy(older.filePath(name), copy) ||
                !QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
                std::rename(qPrintable(copy), qPrintable(name)) != 0)
                return 1;
        }
        if (!db::DatabaseFiles::open().isEmpty())
            return 1;
        db::DatabaseFiles::close();
        if (round == 0) {
            std::puts("upgrading");
            std::fflush(stdout);
        }
    }
}
