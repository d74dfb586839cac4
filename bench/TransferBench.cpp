#include "bench/TransferBench.h"

#include "bench/Timing.h"
#include "db/DatabaseFiles.h"
#include "transfer/CsvExport.h"
#include "transfer/ImportPlan.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace bench {
namespace {

// A file of `rows` dogs, each the pup of two earlier ones.
QString dogFile(const QString &path, int rows)
{
    QFile out(path);
    out.open(QIODevice::WriteOnly);
    out.write("Registered Name,Reg No,Sex,Date of Birth,Sire,Dam,Colour\n");
    for (int i = 0; i < rows; ++i) {
        const QByteArray n = QByteArray::number(i);
        out.write("Imported Dog " + n + ",REG-" + n + "," + (i % 2 ? "Male" : "Female") + ",0" +
                  QByteArray::number(1 + i % 9) + "/1" + QByteArray::number(i % 9) + "/20" +
                  QByteArray::number(10 + i % 15) + ",Imported Dog " + QByteArray::number(i / 3) +
                  ",Imported Dog " + QByteArray::number(i / 2) + ",Black and Tan\n");
    }
    return path;
}

transfer::ImportSettings settingsFor(const QString &file)
{
    transfer::ImportSettings settings;
    settings.format = transfer::detectFormat(file);
    settings.mapping =
        transfer::guessMapping(transfer::dogTarget(), transfer::headerOf(file, settings.format));
    settings.dates = transfer::guessDateOrder(transfer::dogTarget(), file, settings);
    return settings;
}

} // namespace

void benchTransfer()
{
    QTemporaryDir work;
    if (!db::DatabaseFiles::open().isEmpty())
        qFatal("cannot open the kennel");
    printLine(
        "\"Export to CSV...\", every table (floor: 2 s)",
        medianMs(5, [&] { transfer::exportTables(db::DatabaseFiles::kennel(), work.path()); }),
        2000);
    db::DatabaseFiles::close();

    const QString kennelFolder = QDir::currentPath();
    const int imported = sized(100000);
    const int checked = sized(1000000);
    const QString hundredThousand = dogFile(work.filePath("100k.csv"), imported);
    const QString million = dogFile(work.filePath("1m.csv"), checked);
    const QString empty = work.filePath("empty kennel");
    double import = 0;
    QDir::setCurrent(work.path());
    import = medianMs(
        3,
        [&] {
            const transfer::ImportSettings settings = settingsFor(hundredThousand);
    transfer::checkImport(transfer::dogTarget(), db::DatabaseFiles::kennel(), hundredThousand,
                          settings);
    transfer::runImport(transfer::dogTarget(), db::DatabaseFiles::kennel(), hundredThousand,
                        settings);
},
        [&] {
    db::DatabaseFiles::close();
    QDir(empty).removeRecursively();
    QDir().mkpath(empty);
    QDir::setCurrent(empty);
    db::DatabaseFiles::open();
        });
printLine(QString("import of %L1 dogs, check and write (floor: 3 s)").arg(imported), import, 3000);
const double before = residentMb();
double peak = before;
const double check = medianMs(1, [&] {
    transfer::checkImport(transfer::dogTarget(), db::DatabaseFiles::kennel(), million,
                          settingsFor(million), [&](qint64) {
                              peak = std::max(peak, residentMb());
                              return true;
                          });
});
printLine(QString("check of a file of %L1 rows (floor: 5 s)").arg(checked), check, 5000);
printValue("  memory the check took (MB)", QString::number(peak - before, 'f', 1));
db::DatabaseFiles::close();
QDir::setCurrent(kennelFolder);
} // namespace bench

} // namespace bench
