#include "core/Memory.h"

#include <atomic>
#include <QThreadPool>

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

void releaseFreedMemoryInBackground()
{
    static std::atomic_bool waiting = false;
    if (waiting.exchange(true))
        return;
    QThreadPool::globalInstance()->start([] {
        waiting = false;
        releaseFreedMemory();
    });
}

void returnLargeBlocksWhenFreed()
{
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
#endif
}

} // namespace core
