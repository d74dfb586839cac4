#pragma once

#include <QObject>
#include <QPointer>

class QStatusBar;
class QTimer;
class QWidget;
namespace core {
class BackgroundTask;
}

namespace app {

// "Export Calendar...": the dates the kennel knows are coming as an iCalendar file, and, where
// the user asks for it, that file written again after every change for a calendar program
// that subscribes to it.
class KennelCalendarFile : public QObject
{
    Q_OBJECT
public:
    KennelCalendarFile(QWidget *window, QStatusBar *bar);

    void chooseAndExport();
    // Writes the calendar to `file` and tells the user; true when it was written.
    bool exportTo(const QString &file);
    // From now on looks every few seconds whether the kennel changed, and writes the file
    // kept current again when it did.
    void keepCurrent();

private:
    void writeKeptFile();

    QWidget *m_window;
    QStatusBar *m_bar;
    QTimer *m_watch;
    QString m_version;
    QPointer<core::BackgroundTask> m_writing;
};

} // namespace app
