#pragma once

#include <QSqlDatabase>
#include <QString>

namespace dogs {

// Adds `count` dog rows named "NEWENTRY 1", "NEWENTRY 2", ... in one transaction, all or
// none. Returns what went wrong, or an empty text when they were written.
QString addBlankDogs(QSqlDatabase db, int count);

} // namespace dogs
