#pragma once

#include <QObject>
#include <QPointer>

class QLabel;
class QPushButton;
class QStatusBar;
namespace core {
class BackgroundTask;
}
class QTimer;

namespace app {

// The status bar's view of the kennel: the folder that is open, how many dogs and contacts
// it holds, and what falls due this month (a click opens the month's list).
class KennelStatus : public QObject
{
    Q_OBJECT
public:
    explicit KennelStatus(QStatusBar *bar);
    // Counts again when a table has changed since the last count, or at once when `now`. The
    // counting reads every dog of a large kennel: it runs on a thread of its own, and the
    // counts show when it is done.
    void refresh(bool now = false);
    // From now on looks every second whether anything was written, by this program or
    // another, and counts again when it was.
    void followWrites();

Q_SIGNALS:
    void dueListRequested();

private:
    void count();

    QLabel *m_folder;
    QLabel *m_counts;
    QPushButton *m_due;
    QTimer *m_watch;
    QString m_version;
    QPointer<core::BackgroundTask> m_counting;
    bool m_countAgain = false;
};

} // namespace app
