#include "db/WritesWaiting.h"

#include "db/FileKind.h"

#include <array>
#include <atomic>
#include <chrono>
#include <QThread>
#include <sqlite3.h>

namespace db {
namespace {

std::atomic<qint64> lastWait{-1};

// A reader that gives way does so within a millisecond; one that does not is waited for
// as long as every connection waits.
int waitForReaders(void *, int attempt)
{
    lastWait = waitClock();
    static constexpr std::array<int, 6> pauses{1, 1, 2, 5, 10, 20};
    qint64 waited = 0;
    for (int i = 0; i < attempt; ++i)
        waited += pauses[std::min<size_t>(size_t(i), pauses.size() - 1)];
    if (waited >= busyTimeoutMs)
        return 0;
    QThread::msleep(pauses[std::min<size_t>(size_t(attempt), pauses.size() - 1)]);
    return 1;
}

} // namespace

void noteWaitingWrites(sqlite3 *connection)
{
    if (connection)
        sqlite3_busy_handler(connection, waitForReaders, nullptr);
}

qint64 waitClock()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool writeWaitedSince(qint64 since)
{
    return lastWait.load() >= since;
}

} // namespace db
