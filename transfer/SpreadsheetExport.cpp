#include "transfer/SpreadsheetExport.h"

#include "core/DateText.h"
#include "db/Fields.h"
#include "db/RawRows.h"
#include "db/SqlText.h"
#include "db/Tables.h"
#include "genetics/KennelGenetics.h"
#include "kennel/RecordKinds.h"
#include "transfer/SheetWriters.h"

#include <QLocale>
#include <QStringBuilder>

namespace transfer {
namespace {

struct Sheet
{
    QString from; // schema and table
    QList<SheetColumn> columns;
    QString order;
};

Sheet sheetOf(SheetContent content)
{
    auto text = [](const char *header, const QString &field) {
        return SheetColumn{QString::fromUtf8(header), CellKind::Text, field};
    };
    switch (content) {
    case SheetContent::Dogs: {
        namespace dog = db::fields::dogs;
        return {QStringLiteral("main.") % db::quoted(kennel::records::dogs()),
                {text("Name", dog::name),
                 text("Registration", dog::registration),
                 text("Sex", dog::sex),
                 text("Breed", dog::breed),
                 text("Colour", dog::colour),
                 {QStringLiteral("Date of Birth"), CellKind::Date, dog::born},
                 {QStringLiteral("Date of Death"), CellKind::Date, dog::died},
                 text("Sire", dog::sire),
                 text("Dam", dog::dam),
                 text("Breeder", dog::breeder),
                 text("Owner", dog::owner),
                 text("Microchip", dog::microchip),
                 text("Tattoo", dog::tattoo),
                 {QStringLiteral("COI"), CellKind::Percent, dog::id}},
                db::quoted(dog::name)};
    }
    case SheetContent::Contacts: {
        namespace contact = db::fields::contacts;
        return {QStringLiteral("main.") % db::quoted(kennel::records::contacts()),
                {text("Name", contact::name), text("Title", contact::title),
                 text("Address", contact::address), text("City", contact::city),
                 text("State", contact::state), text("Postcode", contact::postcode),
                 text("Country", contact::country), text("Phone", contact::phone),
                 text("Fax", contact::fax), text("Email", contact::email),
                 text("Website", contact::web), text("Breeder", contact::breeder),
                 text("Prefix", contact::prefix), text("Breeds", contact::breeds),
                 text("Notes", contact::notes)},
                db::quoted(contact::name)};
    }
    case SheetContent::Sales:
        break;
    }
    namespace sale = db::fields::sales;
    return {QStringLiteral("report.") % db::quoted(db::tables::sales),
            {{QStringLiteral("Receipt Number"), CellKind::Whole, sale::id},
             {QStringLiteral("Date"), CellKind::Date, sale::date},
             text("Dog", sale::dog),
             text("Buyer", sale::buyer),
             {QStringLiteral("Amount"), CellKind::Amount, sale::amount},
             text("Seller", sale::seller),
             text("Breed", sale::breed),
             text("Colour", sale::colour),
             text("Sex", sale::sex),
             text("Date of Birth", sale::born),
             text("Registration", sale::registration),
             text("Prefix", sale::prefix)},
            db::quoted(sale::id)};
}

qint64 countRows(const QSqlDatabase &kennel, const Sheet &sheet)
{
    qint64 rows = 0;
    db::scanRows(kennel, QStringLiteral("SELECT count(*) FROM ") % sheet.from,
                 [&](const db::RawRow &row) { rows = row.whole(0); });
    return rows;
}

} // namespace

QString sheetName(SheetContent content)
{
    switch (content) {
    case SheetContent::Dogs:
        return QStringLiteral("Dogs");
    case SheetContent::Contacts:
        return QStringLiteral("Contacts");
    case SheetContent::Sales:
        break;
    }
    return QStringLiteral("Sales");
}

core::WriteResult<qint64> exportSheet(const QSqlDatabase &kennel, SheetContent content,
                                      SheetFormat format, const QString &file)
{
    const Sheet sheet = sheetOf(content);
    if (format == SheetFormat::Workbook && countRows(kennel, sheet) > mostWorkbookRows)
        return core::failure(
            QStringLiteral("A workbook holds at most %1 rows; this one would need more, so "
                           "write it as CSV instead.")
                .arg(QLocale().toString(mostWorkbookRows)));
    genetics::KennelGenetics *genetics = nullptr;
    if (content == SheetContent::Dogs) {
        genetics = &genetics::KennelGenetics::current(kennel);
        if (!genetics->problem().isEmpty())
            return core::failure(genetics->problem());
    }
    const std::unique_ptr<SheetWriter> writer =
        format == SheetFormat::Csv ? csvWriter(file) : workbookWriter(file, sheetName(content));
    writer->header(sheet.columns);
    QStringList fields;
    for (const SheetColumn &column : sheet.columns)
        fields << db::quoted(column.field);
    qint64 rows = 0;
    const QString problem = db::scanRows(
        kennel,
        QStringLiteral("SELECT ") % fields.join(QStringLiteral(", ")) % QStringLiteral(" FROM ") %
            sheet.from % QStringLiteral(" ORDER BY ") % sheet.order % QStringLiteral(", rowid"),
        [&](const db::RawRow &row) {
            for (int i = 0; i < int(sheet.columns.size()); ++i) {
                if (row.text(i).empty())
                    continue;
                switch (sheet.columns[i].kind) {
                case CellKind::Text:
                    writer->text(i, row.string(i));
                    break;
                case CellKind::Date:
                    if (const QDate date = core::datetext::fromStored(row.string(i));
                        date.isValid())
                        writer->date(i, date);
                    else
                        writer->text(i, row.string(i));
                    break;
                case CellKind::Amount:
                case CellKind::Whole:
                    writer->number(i, sheet.columns[i].kind, double(row.whole(i)));
                    break;
                case CellKind::Percent:
                    if (const int dog = genetics->graph().indexOfId(row.whole(i));
                        dog != genetics::unknown && !genetics->graph().looped(dog))
                        writer->number(i, CellKind::Percent, genetics->inbreeding().of(dog));
                    break;
                }
            }
            writer->endRow();
            ++rows;
        });
    if (!problem.isEmpty())
        return core::failure(problem);
    if (const QString unwritten = writer->finish(); !unwritten.isEmpty())
        return core::failure(unwritten);
    return rows;
}

} // namespace transfer
