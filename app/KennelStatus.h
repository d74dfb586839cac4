#pragma once

#include <QElapsedTimer>
#include <QObject>

class QLabel;
class QPushButton;
class QStatusBar;

namespace app {

// The status bar's view of the kennel: the folder that is open, how many dogs and contacts
// it holds, and what falls due this month (a click opens the month's list).
class KennelStatus : public QObject
{
    Q_OBJECT
public:
    explicit KennelStatus(QStatusBar *bar);
    // Counts again after a write, at most every two seconds unless `now`.
    void refresh(bool now = false);

Q_SIGNALS:
    void dueListRequested();

private:
    QLabel *m_folder;
    QLabel *m_counts;
    QPushButton *m_due;
    QElapsedTimer m_since;
    QString m_version;
};

} // namespace app
