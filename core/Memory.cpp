#include "core/Memory.h"

#include "core/BackgroundTask.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace core {

void releaseFreedMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

void releaseFreedMemoryWhenIdle()
{
    static QPointer<QTimer> idle;
    if (!idle) {
        idle = new QTimer(QCoreApplication::instance());
        idle->setSingleShot(true);
        idle->setInterval(1500);
        QObject::connect(idle, &QTimer::timeout, [] {
            auto *release = new BackgroundTask(releaseFreedMemory, QCoreApplication::instance());
            QObject::connect(release, &BackgroundTask::finished, release, &QObject::deleteLater);
        });
    }
    idle->start();
}

void returnLargeBlocksWhenFreed()
{
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
#endif
}

} // namespace core
