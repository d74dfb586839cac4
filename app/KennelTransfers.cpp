#include "app/KennelTransfers.h"

#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "db/Preferences.h"
#include "transfer/CsvExport.h"
#include "transfer/ImportDialog.h"
#include "transfer/SpreadsheetExport.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>

namespace app {
namespace {

const QString folderPreference = QStringLiteral("csv folder");

QString startFolder()
{
    const QString remembered = db::preference(db::DatabaseFiles::kennel(), folderPreference);
    return !remembered.isEmpty() && QDir(remembered).exists() ? remembered : QDir::homePath();
}

} // namespace

KennelTransfers::KennelTransfers(QWidget *window) : QObject(window), m_window(window) {}

void KennelTransfers::chooseAndExport()
{
    const QString folder =
        QFileDialog::getExistingDirectory(m_window, QStringLiteral("Export to CSV"), startFolder());
    if (!folder.isEmpty())
        exportTo(folder);
}

void KennelTransfers::exportTo(const QString &folder)
{
    const auto files = transfer::exportTables(db::DatabaseFiles::kennel(), folder);
    if (!files) {
        core::tell(QStringLiteral("The export could not be written (%1).").arg(files.problem()));
        return;
    }
    db::setPreference(db::DatabaseFiles::kennel(), folderPreference, folder);
    QStringList lines;
    const QLocale locale;
    for (const transfer::ExportedFile &file : files.value())
        lines << QStringLiteral("%1: %2 rows")
                     .arg(QFileInfo(file.file).fileName(), locale.toString(file.rows));
    core::tell(QStringLiteral("The kennel has been exported to %1:\n\n%2")
                   .arg(QDir::toNativeSeparators(folder), lines.join(QLatin1Char('\n'))));
}

void KennelTransfers::chooseAndImport(const transfer::ImportTarget &target)
{
    const QString file = QFileDialog::getOpenFileName(
        m_window, QStringLiteral("Import %1 from CSV").arg(target.what), startFolder(),
        QStringLiteral("CSV files (*.csv *.txt);;All files (*)"));
    if (file.isEmpty())
        return;
    db::setPreference(db::DatabaseFiles::kennel(), folderPreference,
                      QFileInfo(file).absolutePath());
    transfer::ImportDialog dialog(target, file, m_window);
    dialog.exec();
}

void KennelTransfers::chooseAndExportSheet(transfer::SheetContent content)
{
    const QString workbook = QStringLiteral("Excel workbook (*.xlsx)");
    QString chosenFilter = workbook;
    QString file = QFileDialog::getSaveFileName(
        m_window, QStringLiteral("Export %1 for a Spreadsheet").arg(transfer::sheetName(content)),
        QDir(startFolder()).filePath(transfer::sheetName(content) + QStringLiteral(".xlsx")),
        workbook + QStringLiteral(";;CSV file (*.csv)"), &chosenFilter);
    if (file.isEmpty())
        return;
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix != QStringLiteral("xlsx") && suffix != QStringLiteral("csv"))
        file += chosenFilter == workbook ? QStringLiteral(".xlsx") : QStringLiteral(".csv");
    db::setPreference(db::DatabaseFiles::kennel(), folderPreference,
                      QFileInfo(file).absolutePath());
    exportSheetTo(content, file);
}

void KennelTransfers::exportSheetTo(transfer::SheetContent content, const QString &file)
{
    const auto format =
        QFileInfo(file).suffix().compare(QStringLiteral("csv"), Qt::CaseInsensitive) == 0
            ? transfer::SheetFormat::Csv
            : transfer::SheetFormat::Workbook;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const auto rows = transfer::exportSheet(db::DatabaseFiles::kennel(), content, format, file);
    QGuiApplication::restoreOverrideCursor();
    const QString what = transfer::sheetName(content).toLower();
    if (!rows) {
        core::tell(QStringLiteral("The %1 could not be written to %2 (%3).")
                       .arg(what, QDir::toNativeSeparators(file), rows.problem()));
        return;
    }
    core::tell(QStringLiteral("%1 %2 written to %3.")
                   .arg(QLocale().toString(rows.value()),
                        rows.value() == 1 ? what.chopped(1) + QStringLiteral(" was")
                                          : what + QStringLiteral(" were"),
                        QDir::toNativeSeparators(file)));
}

} // namespace app
