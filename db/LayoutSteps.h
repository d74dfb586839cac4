#pragma once

#include "db/FileKind.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace db {

// The upgrade steps as each was released, written out in db/layout/: step n brings a file
// from version n - 1 to n. A step is never changed once released; a new layout is a new step.
int layoutSteps();

// Runs step `version` on the file. A table or index the file has already is kept, and a table
// gets only the columns it lacks, so that a file made before versions were kept, or by hand,
// is completed rather than refused. The rows a step starts a table with go only into a table
// the step made. The problem, or empty.
QString runLayoutStep(QSqlDatabase &db, File file, int version);

// The statements that fill `table` when it is made, from the latest step that fills it: what a
// table made again by the repair of a file starts with.
QStringList firstRowsOf(const QString &table);

} // namespace db
