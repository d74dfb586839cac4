#include "core/Memory.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>
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
        QObject::connect(idle, &QTimer::timeout,
                         [] { QThreadPool::globalInstance()->start(releaseFreedMemory); });
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
