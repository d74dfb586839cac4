#pragma once

#include "db/FileKind.h"

#include <QSqlDatabase>
#include <QStringList>

namespace db {

// What a file holds that Houndry did not make and cannot work with safely, for the user:
// triggers and views (they would run on the program's ordinary edits), CHECK constraints,
// generated columns, virtual tables and indexes over expressions (they run whatever they say
// in every check of the file), names that clash with Houndry's tables or indexes, tables of
// Houndry's without row numbers or without their id, and text stored as UTF-16. Empty when
// there is none.
QStringList foreignObjects(const QSqlDatabase &db, File file);

// "a, b and c", or the first ten and how many more.
QString listedBriefly(const QStringList &items);

} // namespace db
