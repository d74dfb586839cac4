#include "bench/Timing.h"

#include "core/BackgroundTask.h"

#include <algorithm>
#include <cstdio>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <vector>

namespace bench {
namespace {
bool quickRun = false;
} // namespace

void setQuick(bool quick)
{
    quickRun = quick;
}

bool quick()
{
    return quickRun;
}

int sized(int full)
{
    return quickRun ? std::max(1, full / 100) : full;
}

double medianMs(int runs, const std::function<void()> &work, const std::function<void()> &prepare)
{
    if (quickRun)
        runs = 1;
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void printHeader()
{
    std::printf("%-48s %12s %12s %8s\n", "operation", "median ms", "floor ms", "ratio");
}

void printLine(const QString &operation, double ms, double floorMs)
{
    if (floorMs < 0)
        std::printf("%-48s %12.3f %12s %8s\n", qPrintable(operation), ms, "-", "-");
    else
        std::printf("%-48s %12.3f %12.3f %8.1f\n", qPrintable(operation), ms, floorMs,
                    floorMs > 0 ? ms / floorMs : 0.0);
    std::fflush(stdout);
}

void printValue(const QString &what, const QString &value)
{
    std::printf("%-48s %12s\n", qPrintable(what), qPrintable(value));
    std::fflush(stdout);
}

double residentMb()
{
    // Once the program has been idle long enough to hand back what the work just done freed.
    QElapsedTimer idle;
    idle.start();
    while (idle.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    for (auto *task : QCoreApplication::instance()->findChildren<core::BackgroundTask *>())
        task->wait();
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

} // namespace bench
