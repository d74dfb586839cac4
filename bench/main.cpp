// houndry-bench: generates a synthetic kennel and times the program's own operations beside
// the same work in bare SQLite statements.
//
//   houndry-bench --dogs 100000 --matings 50000 --dir build/bench-kennel
#include "bench/BackupBench.h"
#include "bench/BareSqlite.h"
#include "bench/BreedingYearBench.h"
#include "bench/DeepKennel.h"
#include "bench/GeneticsBench.h"
#include "bench/KennelGenerator.h"
#include "bench/LinkedRecordsBench.h"
#include "bench/MoneyBench.h"
#include "bench/PhotoBench.h"
#include "bench/PopulationBench.h"
#include "bench/RecordBench.h"
#include "bench/ScreenBench.h"
#include "bench/Timing.h"
#include "bench/TransferBench.h"
#include "core/Clock.h"
#include "core/Memory.h"
#include "core/Messages.h"
#include "db/DatabaseFiles.h"

#include <cstdio>
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>

namespace {

// Benchmarks answer every question with No and show nothing.
class SilentMessages : public core::Messages
{
public:
    void ok(const QString &, const QString &) override {}
    bool yesNo(const QString &, const QString &, Icon, Default) override { return false; }
};

int dogCount()
{
    if (!QFile::exists("kennelbase.ddx") || !db::DatabaseFiles::open().isEmpty())
        return -1;
    QSqlQuery q(db::DatabaseFiles::kennel());
    q.exec("SELECT count(*) FROM Dogtable");
    const int count = q.next() ? q.value(0).toInt() : -1;
    db::DatabaseFiles::close();
    return count;
}

// The offscreen platform's notes on window hints say nothing about the timings.
void quietHandler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtDebugMsg && !message.contains("propagateSizeHints"))
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char *argv[])
{
    core::returnLargeBlocksWhenFreed();
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietHandler);
    QApplication application(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({"dogs", "Dogs in the synthetic kennel.", "n", "100000"});
    parser.addOption({"matings", "Matings in the synthetic kennel.", "n", "50000"});
    parser.addOption(
        {"litters", "Litters in the synthetic kennel (a fifth of the matings by default).", "n"});
    parser.addOption({"dir", "Folder of the synthetic kennel.", "folder", "bench-kennel"});
    parser.addOption({"generate-only", "Only write the kennel (used internally)."});
    parser.addOption({"deep",
                      "A closed population this many generations deep, and only the "
                      "genetics timed.",
                      "generations"});
    parser.addOption({"loop", "With --deep: one dog deep inside is its own ancestor."});
    parser.addOption({"only-backup", "Time only the backup and the restore check."});
    parser.addOption({"only-transfer", "Time only the CSV export and import."});
    parser.addOption({"only-breeding", "Time only the seasons, progesterone and calendar."});
    parser.addOption({"only-linked", "Time only the rename, the merge and the duplicate search."});
    parser.addOption({"only-population", "Time only the population figures."});
    parser.addOption({"only-photos", "Time only adding photos and stepping through them."});
    parser.addOption({"only-money", "Time only the waiting list, accounts and contracts."});
    parser.addOption({"only-screens", "Time only opening screens, All Dogs and reports."});
    parser.addOption({"report", "Time one report of the main menu (used internally).", "item"});
    parser.addOption({"quick", "Every operation once, on files a hundredth of the size: shows "
                               "that the bench runs to its end."});
    parser.process(application);

    SilentMessages silent;
    core::Messages::install(&silent);
    bench::setQuick(parser.isSet("quick"));
    const int matings = parser.value("matings").toInt();
    const bench::KennelSize size{parser.value("dogs").toInt(), matings,
                                 parser.isSet("litters") ? parser.value("litters").toInt()
                                                         : matings / 5};
    QDir().mkpath(parser.value("dir"));
    const QString self = QCoreApplication::applicationFilePath();
    QDir::setCurrent(parser.value("dir"));

    const int deep = parser.value("deep").toInt();
    if (parser.isSet("generate-only")) {
        const QString problem =
            deep > 0 ? bench::generateDeepKennel(size.dogs, deep, parser.isSet("loop"))
                     : bench::generateKennel(size);
        db::DatabaseFiles::close();
        if (!problem.isEmpty())
            std::fprintf(stderr, "%s\n", qPrintable(problem));
        return problem.isEmpty() ? 0 : 1;
    }
    if (dogCount() != size.dogs) {
        std::printf("generating %d dogs and %d matings in %s ...\n", size.dogs, size.matings,
                    qPrintable(QDir::currentPath()));
        std::fflush(stdout);
        QFile::remove("kennelbase.ddx");
        QFile::remove("report.ddx");
        // In a process of its own, so that the memory figures below are the program's alone.
        QStringList arguments{"--generate-only",
                              "--dogs",
                              parser.value("dogs"),
                              "--matings",
                              parser.value("matings"),
                              "--litters",
                              QString::number(size.litters),
                              "--dir",
                              "."};
        if (deep > 0)
            arguments << "--deep" << QString::number(deep);
        if (parser.isSet("loop"))
            arguments << "--loop";
        if (QProcess::execute(self, arguments) != 0)
            return 1;
    }
    if (deep > 0) {
        std::printf("deep kennel: %d dogs over %d generations%s (%s)\n", size.dogs, deep,
                    parser.isSet("loop") ? ", one loop" : "", qPrintable(QDir::currentPath()));
        bench::printHeader();
        bench::benchGenetics();
        bench::benchPopulation();
        return 0;
    }
    if (parser.isSet("report")) {
        bench::benchOneReport(parser.value("report").toInt());
        return 0;
    }
    std::printf("kennel: %d dogs, %d matings, %d contacts (%s)\n", size.dogs, size.matings,
                bench::contactCount(size), qPrintable(QDir::currentPath()));
    bench::printHeader();
    if (parser.isSet("only-backup")) {
        bench::benchBackup();
        return 0;
    }
    if (parser.isSet("only-transfer")) {
        bench::benchTransfer();
        return 0;
    }
    if (parser.isSet("only-breeding")) {
        bench::benchBreedingYear();
        return 0;
    }
    if (parser.isSet("only-photos")) {
        bench::benchPhotos();
        return 0;
    }
    if (parser.isSet("only-money")) {
        bench::benchMoney();
        return 0;
    }
    if (parser.isSet("only-population")) {
        bench::benchPopulation();
        return 0;
    }
    if (parser.isSet("only-linked")) {
        bench::benchLinkedRecords();
        return 0;
    }
    if (parser.isSet("only-screens")) {
        bench::benchScreens(self,
                            {"--dogs", parser.value("dogs"), "--matings", parser.value("matings"),
                             "--litters", QString::number(size.litters), "--dir", "."});
        return 0;
    }
    bench::benchRecords(self);
    bench::benchBreedingYear();
    db::DatabaseFiles::close();
    bench::benchLinkedRecords();
    bench::benchBackup();
    bench::benchTransfer();
    bench::benchPopulation();
    bench::benchPhotos();
    bench::benchMoney();
    return 0;
}
