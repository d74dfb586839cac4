#pragma once

#include <QString>

namespace bench {

// A closed breed population many generations deep, the dogs table only: each generation's
// litters come from a few popular sires and many dams of the generation before, so that
// inbreeding builds up as in a real breed (5 to 30 % after 40 generations). A few parent
// names are written in other letter cases, a few are "Not On Record". With `loop`, one dog
// deep inside is made its own great-grandsire.
QString generateDeepKennel(int dogs, int generations, bool loop);

} // namespace bench
