#pragma once

#include <QDialog>

namespace app {

// "About  Houndry": the product, its version, and a way to the system-information program.
class AboutBox : public QDialog
{
    Q_OBJECT
public:
    explicit AboutBox(QWidget *parent = nullptr);

    static QString versionText();
    // The system-information programs tried, in order, on PATH.
    static QStringList systemInfoPrograms();
    // Starts the first one found; tells the user when there is none or it would not start.
    static void startSysInfo();
};

} // namespace app
