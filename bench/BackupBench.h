#pragma once

namespace bench {

// Times a backup of the kennel in the working folder beside its floor (VACUUM INTO of both
// files, then the two copies zipped), and the check of the archive before a restore.
void benchBackup();

} // namespace bench
