#pragma once

#include <QObject>

class QThread;

namespace app {

// Reads every page of the kennel's files on a thread of its own once the main menu is up:
// opening reads only their layout, so that a large kennel opens at once.
class DamageCheck : public QObject
{
    Q_OBJECT
public:
    explicit DamageCheck(QObject *parent = nullptr);
    ~DamageCheck() override;

    void start();
    bool isRunning() const { return m_thread != nullptr; }

Q_SIGNALS:
    // The message for the user, as opening a damaged file gives it.
    void damaged(const QString &problem);

private:
    QThread *m_thread = nullptr;
};

} // namespace app
