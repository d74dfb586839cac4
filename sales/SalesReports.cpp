#include "sales/SalesReports.h"

#include "db/DatabaseFiles.h"
#include "db/Fields.h"
#include "db/SqlRows.h"
#include "db/Tables.h"
#include "pedigree/PrintablePedigree.h"

namespace sales {
namespace {

using report::caption;
using report::field;
using report::line;
using report::SectionKind;

// The deposit taken before the sale and the balance, where there was one: beside the details,
// in space the receipts leave free.
QList<report::Element> depositLines(int left, int top, int captionWidth, int valueLeft,
                                    int valueWidth, const std::optional<QFont> &captionFont)
{
    QList<report::Element> e{
        caption(QStringLiteral("Deposit Paid"), left, top, captionWidth),
        field(db::fields::sales::deposit, valueLeft, top, valueWidth, 285, report::Format::Money),
        caption(QStringLiteral("Balance Due"), left, top + 288, captionWidth),
        field(db::fields::sales::balance, valueLeft, top + 288, valueWidth, 285,
              report::Format::Money)};
    for (report::Element &element : e) {
        element.shownWith = db::fields::sales::deposit;
        if (captionFont && element.kind == report::ElementKind::Caption)
            element.font = captionFont;
    }
    return e;
}

QList<report::Element> receiptCopy(const QString &copyName, int dy)
{
    const QFont large(QStringLiteral("Arial"), 20, QFont::Bold);
    const QFont title(QStringLiteral("Arial"), 14, QFont::Bold);
    QList<report::Element> e{
        report::box(1296, 288 + dy, 8928, 6840),
        report::box(1440, 432 + dy, 8640, 1005),
        report::withFont(field(db::fields::sales::prefix, 2880, 576 + dy, 5760, 450), large),
        // Just below the large kennel name, whose line is taller than its place.
        caption(QStringLiteral("Kennels"), 2880, 1026 + dy, 5760),
        report::box(1440, 1440 + dy, 8640, 2595),
        report::withFont(caption(copyName, 1728, 1584 + dy, 2880),
                         QFont(QStringLiteral("Arial"), 10, QFont::Bold)),
        report::withFont(caption(QStringLiteral("Sales Receipt"), 3744, 1584 + dy, 4320, 340),
                         title),
        caption(QStringLiteral("Reciept Number"), 8208, 1584 + dy, 870),
        field(db::fields::sales::number, 9072, 1584 + dy, 1005),
        caption(QStringLiteral("Date"), 7056, 2160 + dy, 1590),
        field(db::fields::sales::date, 7920, 2160 + dy, 2160, 285, report::Format::ShortDate),
        caption(QStringLiteral("Recieved From"), 1728, 2736 + dy, 1725),
        field(db::fields::sales::buyer, 3600, 2736 + dy, 4035),
        caption(QStringLiteral("The Amount of "), 1728, 3024 + dy, 1725),
        field(db::fields::sales::amount, 3600, 3024 + dy, 2025, 285, report::Format::Money),
        caption(QStringLiteral("Recieved By"), 1728, 3312 + dy, 1725),
        field(db::fields::sales::seller, 3600, 3312 + dy, 3600),
        caption(QStringLiteral("Dogs Name"), 1728, 4320 + dy, 1140),
        field(db::fields::sales::dog, 3456, 4320 + dy, 3600),
        caption(QStringLiteral("Breed"), 1728, 4608 + dy, 1140),
        field(db::fields::sales::breed, 3456, 4608 + dy, 3030),
        caption(QStringLiteral("Born On"), 1728, 4896 + dy, 1140),
        field(db::fields::sales::born, 3456, 4896 + dy, 2595),
        caption(QStringLiteral("Sex"), 1728, 5184 + dy, 1140),
        field(db::fields::sales::sex, 3456, 5184 + dy, 2595),
        caption(QStringLiteral("Colour"), 1728, 5472 + dy, 1290),
        field(db::fields::sales::colour, 3456, 5472 + dy, 4035),
        caption(QStringLiteral("Registration Number"), 7200, 4320 + dy, 2736),
        field(db::fields::sales::registration, 7200, 4608 + dy, 2736),
        caption(QStringLiteral(" Signature"), 1440, 6480 + dy, 1440),
        line(2448, 6768 + dy, 6195),
        // Rules under the receipt number, the date and the three values of the body.
        line(9072, 1584 + 285 + dy, 1005),
        line(7920, 2160 + 285 + dy, 2160),
        line(3600, 2736 + 285 + dy, 4035),
        line(3600, 3024 + 285 + dy, 2025),
        line(3600, 3312 + 285 + dy, 3600),
    };
    e << depositLines(7200, 4896 + dy, 1300, 8500, 1436, {});
    e[2].alignment = e[3].alignment = Qt::AlignHCenter | Qt::AlignTop;
    return e;
}

std::function<core::DataSet()> rowsOf(const QString &sql)
{
    return [sql] { return db::queryRows(db::DatabaseFiles::report(), sql); };
}

} // namespace

report::Report salesReceipt()
{
    report::Section copies{SectionKind::Detail, 14688};
    copies.elements << receiptCopy(QStringLiteral("Customers Copy"), 0)
                    << receiptCopy(QStringLiteral("Sellers Copy"), 7344);
    return {report::arialReport(QStringLiteral("SalesReciept"), QStringLiteral("Sales Reciept"),
                                QMargins(100, 100, 100, 100), {copies}),
            rowsOf(QStringLiteral("SELECT * FROM ") % db::tables::smallReceipt %
                   QStringLiteral(" ORDER BY rowid LIMIT 1"))};
}

report::Report pedigreeReceipt()
{
    const QFont title(QStringLiteral("Arial"), 18, QFont::Bold);
    const QFont name(QStringLiteral("Arial"), 14, QFont::Bold);
    const QFont bold(QStringLiteral("Arial"), 10, QFont::Bold);
    report::Section page{SectionKind::Detail, 14000};
    page.elements << report::withFont(
                         caption(QStringLiteral("Receipt and Pedigree of "), 2880, 1152, 5700, 450),
                         title)
                  << report::withFont(field(db::fields::pedigree::dog, 2880, 1728, 5715, 380),
                                      name);
    page.elements[0].alignment = page.elements[1].alignment = Qt::AlignHCenter | Qt::AlignTop;
    page.elements << caption(QStringLiteral("Date"), 8928, 1584, 720)
                  << field(db::fields::pedigreeReceipt::date, 9648, 1584, 1440, 285,
                           report::Format::ShortDate);
    int top = 2736;
    namespace fields = db::fields::pedigree;
    for (const auto &[label, column] :
         {std::pair{"Breed :", fields::breed}, std::pair{"Sex :", fields::sex},
          std::pair{"Date of Birth :", fields::born}, std::pair{"Colour :", fields::colour}}) {
        page.elements << report::withFont(caption(QString::fromLatin1(label), 288, top, 2088), bold)
                      << field(column, 2448, top, 3240);
        top += 432;
    }
    page.elements
        << report::withFont(caption(QStringLiteral("Sold To :"), 5760, 2736, 1152), bold)
        << field(db::fields::pedigreeReceipt::buyer, 7056, 2736, 3888)
        << report::withFont(caption(QStringLiteral("For the Amount of"), 5760, 3168, 2160), bold)
        << field(db::fields::pedigreeReceipt::amount, 8064, 3168, 1728, 285, report::Format::Money)
        << depositLines(5760, 3600, 2160, 8064, 1728, bold) << pedigree::pedigreeColumns()
        << caption(QStringLiteral("Signed : "), 720, 13392, 1008) << line(1584, 13680, 5904);
    return {report::arialReport(QStringLiteral("PedigreeReciept"),
                                QStringLiteral("Receipt of Sale Showing Pedigree"),
                                QMargins(100, 100, 100, 100), {page}),
            rowsOf(QStringLiteral("SELECT * FROM ") % db::tables::pedigreeReceipt %
                   QStringLiteral(" ORDER BY rowid LIMIT 1"))};
}

report::Report salesReport()
{
    using report::Element;
    using report::ElementKind;
    const QList<report::Section> sections{
        {SectionKind::ReportHeader,
         435,
         0,
         {report::withFont(
             caption(QStringLiteral("Sales Report On All Dogs Sold"), 1440, 144, 5040, 300),
             QFont(QStringLiteral("Arial"), 14, QFont::Bold))}},
        {SectionKind::PageHeader,
         528,
         0,
         {caption(QStringLiteral("Page "), 0, 144, 720),
          Element{ElementKind::PageNumber, QRect(720, 144, 576, 285)},
          caption(QStringLiteral("of"), 1296, 144, 432),
          Element{ElementKind::PageCount, QRect(1584, 144, 1440, 285)},
          Element{ElementKind::PrintDate, QRect(4320, 144, 2880, 285)}}},
        {SectionKind::Detail,
         1650,
         0,
         {line(576, 144, 6915), caption(QStringLiteral("Receipt Number"), 576, 288, 1728),
          field(db::fields::sales::id, 2448, 288, 1725),
          field(db::fields::sales::dog, 576, 576, 5475),
          caption(QStringLiteral("was sold to "), 576, 864, 1290),
          field(db::fields::sales::buyer, 1584, 864, 4470),
          caption(QStringLiteral("on "), 576, 1152, 435),
          field(db::fields::sales::date, 1008, 1152, 1440, 285, report::Format::ShortDate),
          caption(QStringLiteral("for the Amount of "), 2592, 1152, 1590),
          field(db::fields::sales::amount, 4176, 1152, 1875, 285, report::Format::Money),
          line(576, 1584, 6915)}},
        {SectionKind::PageFooter, 360},
        {SectionKind::ReportFooter,
         360,
         0,
         {caption(QStringLiteral("Total Sales Amount"), 3600, 0, 1584),
          Element{ElementKind::Sum, QRect(5472, 0, 1440, 285), db::fields::sales::amount,
                  report::Format::Money}}},
    };
    // Nine points keep each caption clear of the value that follows it.
    return {report::arialReport(QStringLiteral("SalesReport"), QStringLiteral("Sales Report"),
                                QMargins(1440, 1440, 1440, 1440), sections, 9),
            {},
            [] {
                return std::make_unique<db::TableSlices>(db::DatabaseFiles::report(),
                                                         db::tables::sales);
            }};
}

} // namespace sales
