#pragma once

#include <atomic>
#include <memory>
#include <QObject>
#include <QPointer>

namespace core {
class BackgroundTask;
}

namespace app {

// Checks every page of the kennel's two files on a thread of its own while the program is
// used, giving way to its writes.
class KennelCheck : public QObject
{
    Q_OBJECT
public:
    explicit KennelCheck(QObject *parent = nullptr);
    // Stops a check under way; its thread is waited for as the check goes.
    ~KennelCheck() override;

    void start();

Q_SIGNALS:
    // The message for the user; not sent for files closed since the check began.
    void damaged(const QString &problem);
    // Photos the kennel lists whose files are gone from the photos folder, "dog: file".
    void photosMissing(const QStringList &photos);
    void finished();

private:
    QPointer<core::BackgroundTask> m_thread;
    std::shared_ptr<std::atomic<bool>> m_cancelled = std::make_shared<std::atomic<bool>>(false);
};

} // namespace app
