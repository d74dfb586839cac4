#pragma once

#include <memory>
#include <QDate>
#include <QList>
#include <QString>

namespace transfer {

enum class CellKind { Text, Date, Amount, Percent, Whole };

struct SheetColumn
{
    QString header;
    CellKind kind;
    QString field; // empty for the COI, which is worked out rather than read
};

// Receives a sheet cell by cell, row by row; a cell left out stays empty.
class SheetWriter
{
public:
    virtual ~SheetWriter() = default;
    virtual void header(const QList<SheetColumn> &columns) = 0;
    virtual void text(int column, const QString &text) = 0;
    virtual void date(int column, const QDate &date) = 0;
    virtual void number(int column, CellKind kind, double value) = 0;
    virtual void endRow() = 0;
    // The problem, or empty once the file is whole in its place.
    virtual QString finish() = 0;
};

// CSV in UTF-8: dates in the chosen order, amounts and percentages with the chosen decimal
// separator and no symbol, texts a spreadsheet would run as formulas kept as text.
std::unique_ptr<SheetWriter> csvWriter(const QString &file);
// An .xlsx workbook of one sheet: real date and number cells in the kennel's forms, a bold
// frozen header row and columns as wide as their values.
std::unique_ptr<SheetWriter> workbookWriter(const QString &file, const QString &sheet);

} // namespace transfer
