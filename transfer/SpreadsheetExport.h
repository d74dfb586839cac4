#pragma once

#include "core/WriteResult.h"

#include <QSqlDatabase>
#include <QString>

namespace transfer {

// What a breeder opens in a spreadsheet: the dogs, the contacts or the sales, with readable
// headers, dates and amounts as the kennel writes them.
enum class SheetContent { Dogs, Contacts, Sales };
enum class SheetFormat { Csv, Workbook };

// The name a new file is offered under: "Dogs", "Contacts", "Sales".
QString sheetName(SheetContent content);

// A workbook holds this many rows under its header at most.
inline constexpr qint64 mostWorkbookRows = 1048575;

// Writes `content` to `file` and answers how many rows. CSV is UTF-8 with dates in the chosen
// order and amounts without symbol; a workbook (.xlsx) has real date and number cells, a
// frozen header row and columns as wide as their values. A text that a spreadsheet would run
// as a formula is kept as text. The file is whole or left as it was.
core::WriteResult<qint64> exportSheet(const QSqlDatabase &kennel, SheetContent content,
                                      SheetFormat format, const QString &file);

} // namespace transfer
