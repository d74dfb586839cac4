#include "core/Memory.h"

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

} // namespace core
