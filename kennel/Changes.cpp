#include "kennel/Changes.h"

namespace kennel {

Changes &Changes::instance()
{
    static Changes changes;
    return changes;
}

} // namespace kennel
