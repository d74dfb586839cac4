#include "bench/BackupBench.h"

#include "backup/Archive.h"
#include "backup/Backups.h"
#include "bench/Timing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sqlite3.h>

namespace bench {
namespace {

void vacuumInto(const char *file, const QString &target)
{
    QFile::remove(target);
    sqlite3 *db = nullptr;
    sqlite3_open_v2(file, &db, SQLITE_OPEN_READONLY, nullptr);
    const QByteArray sql = "VACUUM INTO '" + QFile::encodeName(target) + "'";
    sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

} // namespace

void benchBackup()
{
    QTemporaryDir work;
    const QString archive = work.filePath("bench.zip");
    const QDateTime now = QDateTime::currentDateTime();
    const double backUp = medianMs(5, [&] {
        QFile::remove(archive);
        backup::backUp(QDir::currentPath(), archive, now);
    });
    const double floor = medianMs(5, [&] {
        vacuumInto("kennelbase.ddx", work.filePath("k.ddx"));
        vacuumInto("report.ddx", work.filePath("r.ddx"));
        QFile::remove(work.filePath("floor.zip"));
        backup::writeArchive(work.filePath("floor.zip"),
                             {{"kennelbase.ddx", work.filePath("k.ddx"), {}},
                              {"report.ddx", work.filePath("r.ddx"), {}}});
    });
    printLine("\"Back Up Kennel...\" (floor: VACUUM INTO and zip)", backUp, floor);
    printValue("  archive size (MB)", QString::number(QFileInfo(archive).size() / 1e6, 'f', 1));
    printLine("restore check of that archive (floor: 2 s)",
              medianMs(5, [&] { backup::checkArchive(archive, QDir::currentPath()); }), 2000);
}

} // namespace bench
