#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

class QLocalServer;

namespace app {

// One copy of Houndry per kennel folder: two copies on one kennel would cross each other's
// edits, restores and file replacements. The lock is a file in the folder that a crash does
// not leave behind for good (the next start finds its process gone); the copy that holds it
// listens for later starts and comes to the front for them.
class KennelLock : public QObject
{
    Q_OBJECT
public:
    enum class Outcome {
        Held,          // this copy has the kennel
        RaisedOther,   // another copy has it and was asked to come to the front
        HeldElsewhere, // another copy has it and could not be reached
    };

    explicit KennelLock(const QString &folder, QObject *parent = nullptr);
    ~KennelLock() override;

    Outcome acquire();
    // For the user, when the other copy could not be reached.
    QString heldMessage() const;

Q_SIGNALS:
    // A later start on this kennel asks this copy to come to the front.
    void raiseRequested();

private:
    QString m_folder;
    QString m_serverName;
    QLockFile m_lock;
    QLocalServer *m_server = nullptr;
};

} // namespace app
