#pragma once

#include "db/Schema.h"

#include <QStringList>

// Pieces of SQL text built from the named tables and fields, each name quoted.
namespace db {

// "a", "b", "c"; rowid keeps its own name.
QString columnList(const QStringList &columns);

// SELECT "a", "b" FROM "table"
QString selectFrom(const QString &table, const QStringList &columns);
// INSERT INTO "table" ("a", "b") VALUES (?, ?)
QString insertInto(const QString &table, const QStringList &columns);
// UPDATE "table" SET "a" = ?, "b" = ? WHERE "id" = ?
QString updateWhere(const QString &table, const QStringList &columns, const QString &id);

} // namespace db
