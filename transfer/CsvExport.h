#pragma once

#include "core/WriteResult.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace transfer {

// One field as RFC 4180 writes it: quoted when it holds the separator, a quote or a line
// break (or starts or ends with a blank, which spreadsheets would trim), quotes doubled.
QByteArray csvField(const QString &value);

// A text for a CSV cell that a spreadsheet shows as it stands: one that begins with '=', '+',
// '-' or '@' gets an apostrophe before it. `unguarded` takes it off again on import.
QString guarded(const QString &text);
QString unguarded(const QString &text);

struct ExportedFile
{
    QString file;
    qint64 rows;
};

// Every table of both files into `folder`, one "<table>.csv" each: UTF-8, a header of the
// field names, dates as YYYY-MM-DD, amounts as 1234.50, no value as an empty field. Each
// file is written under a temporary name and renamed when whole.
core::WriteResult<QList<ExportedFile>> exportTables(const QSqlDatabase &kennel,
                                                    const QString &folder);

} // namespace transfer
