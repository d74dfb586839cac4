#pragma once

#include <QObject>

class QWidget;

namespace transfer {
struct ImportTarget;
enum class SheetContent;
} // namespace transfer

namespace app {

// The File menu's CSV export and imports, and the exports for spreadsheets.
class KennelTransfers : public QObject
{
    Q_OBJECT
public:
    explicit KennelTransfers(QWidget *window);

    void chooseAndExport();
    // Writes every table into `folder` and tells the user which files got how many rows.
    void exportTo(const QString &folder);
    void chooseAndImport(const transfer::ImportTarget &target);
    void chooseAndExportSheet(transfer::SheetContent content);
    // Writes a spreadsheet of `content`, a workbook unless the name ends in ".csv", and tells
    // the user how many rows it got.
    void exportSheetTo(transfer::SheetContent content, const QString &file);

private:
    QWidget *m_window;
};

} // namespace app
