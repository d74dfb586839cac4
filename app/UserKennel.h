#pragma once

#include <QString>

namespace app {

// The installed program keeps each user's kennel in a folder of their own, "Houndry" in
// their home folder: visible, so that the breeder finds the files to copy and back up.
QString userKennelFolder();

// Makes the folder the working folder, creating it for its user alone when it is missing.
// The problem, in the user's words, or empty.
QString enterKennelFolder(const QString &folder);

} // namespace app
