#include "app/KennelTransfers.h"

#include "core/Messages.h"
#include "db/DatabaseFiles.h"
#include "db/Preferences.h"
#include "transfer/CsvExport.h"
#include "transfer/ImportDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
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

} // namespace app
