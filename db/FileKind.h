#pragma once

#include <QString>

namespace db {

// The two files of a kennel: what the layout, its checks and its upgrade are told they work on,
// without the files' opening and keeping that DatabaseFiles does.
enum class File { Kennel, Report };

// How long every connection waits for a file that another connection is writing before a
// statement fails as busy.
inline constexpr int busyTimeoutMs = 5000;

// The options every connection to a kennel file opens with.
inline QString connectOptions(bool readOnly = false)
{
    return (readOnly ? QStringLiteral("QSQLITE_OPEN_READONLY;") : QString()) +
           QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs);
}

} // namespace db
