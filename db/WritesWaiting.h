#pragma once

#include <QtGlobal>

struct sqlite3;

namespace db {

// A long read on a thread of its own (the check of every page) holds a file against the
// program's writes for as long as it runs. The program's own connections note here each
// time a write has to wait for a reader, and such a read gives way to it.
void noteWaitingWrites(sqlite3 *connection);

// Milliseconds on a clock that only goes forward, for `writeWaitedSince`.
qint64 waitClock();
// Whether one of the program's writes has had to wait since `since`.
bool writeWaitedSince(qint64 since);

} // namespace db
