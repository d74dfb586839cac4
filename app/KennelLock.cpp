#include "app/KennelLock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace app {
namespace {

QString canonical(const QString &folder)
{
    const QString path = QDir(folder).canonicalPath();
    return path.isEmpty() ? QDir(folder).absolutePath() : path;
}

} // namespace

KennelLock::KennelLock(const QString &folder, QObject *parent)
    : QObject(parent), m_folder(canonical(folder)),
      m_serverName(QStringLiteral("houndry-") +
                   QString::fromLatin1(
                       QCryptographicHash::hash(m_folder.toUtf8(), QCryptographicHash::Sha256)
                           .toHex()
                           .left(32))),
      m_lock(QDir(m_folder).filePath(QStringLiteral(".houndry.lock")))
{
    // Held for as long as the program runs: only a copy that is gone leaves it stale.
    m_lock.setStaleLockTime(0);
}

KennelLock::~KennelLock()
{
    if (m_server)
        m_server->close();
}

KennelLock::Outcome KennelLock::acquire()
{
    if (!m_lock.tryLock(0)) {
        if (m_lock.error() != QLockFile::LockFailedError)
            return Outcome::Held; // a folder that cannot be written: the files say so
        QLocalSocket other;
        other.connectToServer(m_serverName);
        if (!other.waitForConnected(3000))
            return Outcome::HeldElsewhere;
        other.write("raise\n");
        other.waitForBytesWritten(3000);
        other.disconnectFromServer();
        return Outcome::RaisedOther;
    }
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // Holding the lock, any socket by this name was left by a copy that is gone.
    QLocalServer::removeServer(m_serverName);
    m_server->listen(m_serverName);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *caller = m_server->nextPendingConnection()) {
            connect(caller, &QLocalSocket::disconnected, caller, &QObject::deleteLater);
            Q_EMIT raiseRequested();
        }
    });
    return Outcome::Held;
}

QString KennelLock::heldMessage() const
{
    return QStringLiteral("The kennel in %1 is already open in another Houndry window. Houndry "
                          "keeps one window per kennel, so that no change is lost; please use "
                          "that window.")
        .arg(QDir::toNativeSeparators(m_folder));
}

} // namespace app
