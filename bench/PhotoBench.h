#pragma once

namespace bench {

// Times adding a 12-megapixel photo and stepping through dog records whose dogs have photos,
// on the kennel in the working folder; the photos it adds are taken off again and their files
// removed.
void benchPhotos();

} // namespace bench
