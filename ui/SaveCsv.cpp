#include "ui/SaveCsv.h"

#include "core/Messages.h"

#include <QDir>
#include <QFileDialog>
#include <QSaveFile>

namespace ui {

void saveCsv(QWidget *parent, const QString &suggestedName, const QByteArray &csv,
             const QString &what)
{
    const QString file = QFileDialog::getSaveFileName(
        parent, QStringLiteral("Save as CSV"), QDir::home().filePath(suggestedName),
        QStringLiteral("CSV files (*.csv);;All files (*)"));
    if (file.isEmpty())
        return;
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(csv) != csv.size() || !out.commit())
        core::tell(QStringLiteral("%1 could not be written to %2 (%3).")
                       .arg(what, QDir::toNativeSeparators(file), out.errorString()));
}

} // namespace ui
