#pragma once

#include <QObject>

class QWidget;

namespace transfer {
struct ImportTarget;
}

namespace app {

// The File menu's CSV export and imports.
class KennelTransfers : public QObject
{
    Q_OBJECT
public:
    explicit KennelTransfers(QWidget *window);

    void chooseAndExport();
    // Writes every table into `folder` and tells the user which files got how many rows.
    void exportTo(const QString &folder);
    void chooseAndImport(const transfer::ImportTarget &target);

private:
    QWidget *m_window;
};

} // namespace app
