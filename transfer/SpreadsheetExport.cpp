#include "transfer/SpreadsheetExport.h"

#include "core/DateText.h"
#include "core/Money.h"
#include "db/Fields.h"
#include "db/RawRows.h"
#include "db/SqlText.h"
#include "db/Tables.h"
#include "genetics/KennelGenetics.h"
#include "transfer/CsvExport.h"

#include <cstdio>
#include <memory>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QStringBuilder>
#include <QTemporaryFile>
#include <unistd.h>
#include <xlsxwriter.h>

namespace transfer {
namespace {

enum class Kind { Text, Date, Amount, Percent, Whole };

struct Column
{
    QString header;
    Kind kind;
    QString field; // empty for the COI, which is worked out rather than read
};

struct Sheet
{
    QString from; // schema and table
    QList<Column> columns;
    QString order;
};

Sheet sheetOf(SheetContent content)
{
    auto text = [](const char *header, const QString &field) {
        return Column{QString::fromUtf8(header), Kind::Text, field};
    };
    switch (content) {
    case SheetContent::Dogs: {
        namespace dog = db::fields::dogs;
        return {QStringLiteral("main.") % db::quoted(db::tables::dogs),
                {text("Name", dog::name),
                 text("Registration", dog::registration),
                 text("Sex", dog::sex),
                 text("Breed", dog::breed),
                 text("Colour", dog::colour),
                 {QStringLiteral("Date of Birth"), Kind::Date, dog::born},
                 {QStringLiteral("Date of Death"), Kind::Date, dog::died},
                 text("Sire", dog::sire),
                 text("Dam", dog::dam),
                 text("Breeder", dog::breeder),
                 text("Owner", dog::owner),
                 text("Microchip", dog::microchip),
                 text("Tattoo", dog::tattoo),
                 {QStringLiteral("COI"), Kind::Percent, dog::id}},
                db::quoted(dog::name)};
    }
    case SheetContent::Contacts: {
        namespace contact = db::fields::contacts;
        return {QStringLiteral("main.") % db::quoted(db::tables::contacts),
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
            {{QStringLiteral("Receipt Number"), Kind::Whole, sale::id},
             {QStringLiteral("Date"), Kind::Date, sale::date},
             text("Dog", sale::dog),
             text("Buyer", sale::buyer),
             {QStringLiteral("Amount"), Kind::Amount, sale::amount},
             text("Seller", sale::seller),
             text("Breed", sale::breed),
             text("Colour", sale::colour),
             text("Sex", sale::sex),
             text("Date of Birth", sale::born),
             text("Registration", sale::registration),
             text("Prefix", sale::prefix)},
            db::quoted(sale::id)};
}

// Receives a sheet cell by cell, row by row.
class SheetWriter
{
public:
    virtual ~SheetWriter() = default;
    virtual void header(const QList<Column> &columns) = 0;
    virtual void text(int column, const QString &text) = 0;
    virtual void date(int column, const QDate &date) = 0;
    virtual void number(int column, Kind kind, double value) = 0;
    virtual void endRow() = 0;
    // The problem, or empty once the file is whole in its place.
    virtual QString finish() = 0;
};

class CsvWriter : public SheetWriter
{
public:
    explicit CsvWriter(const QString &file) : m_out(file) {}

    void header(const QList<Column> &columns) override
    {
        m_opened = m_out.open(QIODevice::WriteOnly);
        for (qsizetype i = 0; i < columns.size(); ++i)
            text(int(i), columns[i].header);
        endRow();
    }
    void text(int column, const QString &text) override { put(column, csvField(guarded(text))); }
    void date(int column, const QDate &date) override
    {
        put(column, csvField(core::datetext::shortDate(date)));
    }
    void number(int column, Kind kind, double value) override
    {
        const QChar decimal = core::money::decimalSeparator(core::money::currency().form);
        QString shown;
        if (kind == Kind::Amount)
            shown = core::plainAmount(qint64(value));
        else if (kind == Kind::Percent)
            shown = genetics::percent(value).replace(QLatin1Char('.'), decimal);
        else
            shown = QString::number(qint64(value));
        put(column, csvField(shown));
    }
    void endRow() override
    {
        m_line += "\r\n";
        m_written = m_written && m_out.write(m_line) == m_line.size();
        m_line.clear();
        m_column = 0;
    }
    QString finish() override
    {
        if (!m_opened || !m_written || !m_out.commit())
            return m_out.errorString();
        return {};
    }

private:
    // Cells come in column order; a cell left out stays empty.
    void put(int column, const QByteArray &field)
    {
        for (; m_column < column; ++m_column)
            m_line += m_column > 0 ? "," : "";
        if (m_column > 0)
            m_line += ',';
        m_line += field;
        ++m_column;
    }

    QSaveFile m_out;
    QByteArray m_line;
    int m_column = 0;
    bool m_opened = false;
    bool m_written = true;
};

class WorkbookWriter : public SheetWriter
{
public:
    WorkbookWriter(const QString &file, const QString &sheet)
        : m_file(file),
          m_temporary(QFileInfo(file).absolutePath() + QStringLiteral("/.houndry-XXXXXX.xlsx"))
    {
        // Written beside the chosen file, the user's alone, and put in its place when whole.
        if (!m_temporary.open())
            return;
        m_temporary.close();
        // Rows are streamed to disk: a breed database does not have to fit in memory.
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        options.use_zip64 = LXW_TRUE;
        m_book = workbook_new_opt(QFile::encodeName(m_temporary.fileName()).constData(), &options);
        if (!m_book)
            return;
        m_sheet = workbook_add_worksheet(m_book, sheet.toUtf8().constData());
        m_bold = workbook_add_format(m_book);
        format_set_bold(m_bold);
        m_date = numberFormat(dateFormat());
        m_amount = numberFormat(amountFormat());
        m_percent = numberFormat(QStringLiteral("0.00%"));
    }
    ~WorkbookWriter() override
    {
        if (m_book)
            workbook_close(m_book);
    }

    void header(const QList<Column> &columns) override
    {
        if (!m_sheet)
            return;
        m_widths.assign(size_t(columns.size()), 0);
        for (qsizetype i = 0; i < columns.size(); ++i) {
            worksheet_write_string(m_sheet, 0, lxw_col_t(i), columns[i].header.toUtf8().constData(),
                                   m_bold);
            widen(int(i), columns[i].header.size() + 2);
        }
        worksheet_freeze_panes(m_sheet, 1, 0);
        m_row = 1;
    }
    void text(int column, const QString &text) override
    {
        if (!m_sheet)
            return;
        // The longest text a cell holds.
        const QString cell = text.left(32767);
        check(worksheet_write_string(m_sheet, m_row, lxw_col_t(column), cell.toUtf8().constData(),
                                     nullptr));
        widen(column, cell.size());
    }
    void date(int column, const QDate &date) override
    {
        if (!m_sheet)
            return;
        // A workbook's dates begin in 1900; an older one is kept as it reads.
        if (date.year() < 1900) {
            text(column, core::datetext::shortDate(date));
            return;
        }
        lxw_datetime when{date.year(), date.month(), date.day(), 0, 0, 0};
        check(worksheet_write_datetime(m_sheet, m_row, lxw_col_t(column), &when, m_date));
        widen(column, 11);
    }
    void number(int column, Kind kind, double value) override
    {
        if (!m_sheet)
            return;
        lxw_format *format = kind == Kind::Amount    ? m_amount
                             : kind == Kind::Percent ? m_percent
                                                     : nullptr;
        check(worksheet_write_number(m_sheet, m_row, lxw_col_t(column),
                                     kind == Kind::Amount ? value / 100 : value, format));
        widen(column, kind == Kind::Amount ? core::formatMoney(qint64(value)).size() : 8);
    }
    void endRow() override { ++m_row; }
    QString finish() override
    {
        if (!m_book)
            return QStringLiteral("The workbook could not be made.");
        for (size_t i = 0; i < m_widths.size(); ++i)
            worksheet_set_column(m_sheet, lxw_col_t(i), lxw_col_t(i), m_widths[i], nullptr);
        const lxw_error closed = workbook_close(m_book);
        m_book = nullptr;
        if (closed != LXW_NO_ERROR)
            return QString::fromUtf8(lxw_strerror(closed));
        if (m_problem != LXW_NO_ERROR)
            return QString::fromUtf8(lxw_strerror(m_problem));
        QFile written(m_temporary.fileName());
        if (!written.open(QIODevice::ReadWrite) || ::fsync(written.handle()) != 0 ||
            std::rename(QFile::encodeName(written.fileName()).constData(),
                        QFile::encodeName(m_file).constData()) != 0)
            return QStringLiteral("The file could not be put in its place.");
        m_temporary.setAutoRemove(false);
        return {};
    }

private:
    lxw_format *numberFormat(const QString &form)
    {
        lxw_format *format = workbook_add_format(m_book);
        format_set_num_format(format, form.toUtf8().constData());
        return format;
    }
    static QString dateFormat()
    {
        using core::datetext::Order;
        switch (core::datetext::order()) {
        case Order::DayMonthYear:
            return QStringLiteral("dd/mm/yyyy");
        case Order::YearMonthDay:
            return QStringLiteral("yyyy-mm-dd");
        case Order::MonthDayYear:
            break;
        }
        return QStringLiteral("mm/dd/yyyy");
    }
    // The kennel's symbol at its place; the separators are the reader's spreadsheet's own.
    static QString amountFormat()
    {
        using core::money::Place;
        const core::money::Currency currency = core::money::currency();
        const QString symbol =
            QLatin1Char('"') % QString(currency.symbol).remove(QLatin1Char('"')) % QLatin1Char('"');
        const QString blank =
            currency.place == Place::BeforeWithBlank || currency.place == Place::AfterWithBlank
                ? QStringLiteral("\\ ")
                : QString();
        const QString number = QStringLiteral("#,##0.00");
        return currency.place == Place::Before || currency.place == Place::BeforeWithBlank
                   ? symbol % blank % number
                   : number % blank % symbol;
    }
    void widen(int column, qsizetype characters)
    {
        // Wide enough for what it holds, up to a width that still leaves room for others.
        m_widths[size_t(column)] =
            std::min(60.0, std::max(m_widths[size_t(column)], double(characters) + 1));
    }
    void check(lxw_error error)
    {
        if (error != LXW_NO_ERROR && m_problem == LXW_NO_ERROR)
            m_problem = error;
    }

    QString m_file;
    QTemporaryFile m_temporary;
    lxw_workbook *m_book = nullptr;
    lxw_worksheet *m_sheet = nullptr;
    lxw_format *m_bold = nullptr;
    lxw_format *m_date = nullptr;
    lxw_format *m_amount = nullptr;
    lxw_format *m_percent = nullptr;
    lxw_row_t m_row = 0;
    std::vector<double> m_widths;
    lxw_error m_problem = LXW_NO_ERROR;
};

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
    std::unique_ptr<SheetWriter> writer;
    if (format == SheetFormat::Csv)
        writer = std::make_unique<CsvWriter>(file);
    else
        writer = std::make_unique<WorkbookWriter>(file, sheetName(content));
    writer->header(sheet.columns);
    QStringList fields;
    for (const Column &column : sheet.columns)
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
                case Kind::Text:
                    writer->text(i, row.string(i));
                    break;
                case Kind::Date:
                    if (const QDate date = core::datetext::fromStored(row.string(i));
                        date.isValid())
                        writer->date(i, date);
                    else
                        writer->text(i, row.string(i));
                    break;
                case Kind::Amount:
                case Kind::Whole:
                    writer->number(i, sheet.columns[i].kind, double(row.whole(i)));
                    break;
                case Kind::Percent:
                    if (const int dog = genetics->graph().indexOfId(row.whole(i));
                        dog != genetics::unknown && !genetics->graph().looped(dog))
                        writer->number(i, Kind::Percent, genetics->inbreeding().of(dog));
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
