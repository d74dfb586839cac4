#pragma once

#include <QSqlDatabase>

namespace dogs {

// Adds `count` dog rows named "NEWENTRY 1", "NEWENTRY 2", ... in one transaction; a row
// that fails is skipped and the rest are written. Returns the rows added.
int addBlankDogs(QSqlDatabase db, int count);

} // namespace dogs
