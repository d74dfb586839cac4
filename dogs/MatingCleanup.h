#pragma once

#include <QSqlDatabase>

namespace dogs {

// Deletes the unfinished matings: a sire that is empty text, or a dam that is a single blank
// or has no value. A sire with no value at all does not count. Returns the rows deleted, or
// -1 when the table could not be cleaned.
int cleanMatings(QSqlDatabase db);

} // namespace dogs
