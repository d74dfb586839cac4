#include "transfer/SheetWriters.h"

#include "core/DateText.h"
#include "core/Money.h"
#include "genetics/KennelGenetics.h"
#include "transfer/CsvExport.h"

#include <cstdio>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringBuilder>
#include <QTemporaryFile>
#include <unistd.h>
#include <xlsxwriter.h>

namespace transfer {
namespace {

class CsvWriter : public SheetWriter
{
public:
    explicit CsvWriter(const QString &file) : m_out(file) {}

    void header(const QList<SheetColumn> &columns) override
    {
        m_opened = m_out.open(QIODevice::WriteOnly);
        m_cells.resize(columns.size());
        for (qsizetype i = 0; i < columns.size(); ++i)
            text(int(i), columns[i].header);
        endRow();
    }
    void text(int column, const QString &text) override { put(column, csvField(guarded(text))); }
    void date(int column, const QDate &date) override
    {
        put(column, csvField(core::datetext::shortDate(date)));
    }
    void number(int column, CellKind kind, double value) override
    {
        const QChar decimal = core::money::decimalSeparator(core::money::currency().form);
        QString shown;
        if (kind == CellKind::Amount)
            shown = core::plainAmount(qint64(value));
        else if (kind == CellKind::Percent)
            shown = genetics::percent(value).replace(QLatin1Char('.'), decimal);
        else
            shown = QString::number(qint64(value));
        put(column, csvField(shown));
    }
    // Every row has a field for every column, empty or not, as readers count them.
    void endRow() override
    {
        const QByteArray line = m_cells.join(',') + "\r\n";
        m_written = m_written && m_out.write(line) == line.size();
        m_cells.fill(QByteArray());
    }
    QString finish() override
    {
        if (!m_opened || !m_written || !m_out.commit())
            return m_out.errorString();
        return {};
    }

private:
    void put(int column, const QByteArray &field) { m_cells[column] = field; }

    QSaveFile m_out;
    QByteArrayList m_cells;
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

    void header(const QList<SheetColumn> &columns) override
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
    void number(int column, CellKind kind, double value) override
    {
        if (!m_sheet)
            return;
        lxw_format *format = kind == CellKind::Amount    ? m_amount
                             : kind == CellKind::Percent ? m_percent
                                                         : nullptr;
        check(worksheet_write_number(m_sheet, m_row, lxw_col_t(column),
                                     kind == CellKind::Amount ? value / 100 : value, format));
        widen(column, kind == CellKind::Amount ? core::formatMoney(qint64(value)).size() : 8);
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

} // namespace

std::unique_ptr<SheetWriter> csvWriter(const QString &file)
{
    return std::make_unique<CsvWriter>(file);
}

std::unique_ptr<SheetWriter> workbookWriter(const QString &file, const QString &sheet)
{
    return std::make_unique<WorkbookWriter>(file, sheet);
}

} // namespace transfer
