#pragma once

#include "core/WriteResult.h"

#include <QSqlDatabase>
#include <QString>

namespace kennel {

// Adds `count` dog rows named "NEWENTRY 1", "NEWENTRY 2", ... in one transaction, all or
// none. Returns what went wrong, or an empty text when they were written.
core::WriteResult<> addBlankDogs(QSqlDatabase db, int count);

} // namespace kennel
