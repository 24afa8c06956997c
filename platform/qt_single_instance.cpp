#include "platform/qt_single_instance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

namespace vantrel::platform {

namespace {

constexpr char kActivate = 'A';

QString defaultFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder;
}

}  // namespace

SingleInstance::SingleInstance(QString folder)
    : m_path(QDir(folder.isEmpty() ? defaultFolder() : folder)
                 .absoluteFilePath(QLatin1String(kInstanceName) + QStringLiteral(".lock"))),
      m_socketPath(QDir(folder.isEmpty() ? defaultFolder() : folder)
                       .absoluteFilePath(QLatin1String(kInstanceName) + QStringLiteral(".socket"))),
      m_lock(std::make_unique<QLockFile>(m_path))
{
    // Staleness by age would hand the lock to a second copy once the first has run for a
    // while; only a lock whose owner has ended is stale.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire()
{
    if (m_lock->isLocked())
        return true;
    if (!m_lock->tryLock(0))
        return false;
    listen();
    return true;
}

void SingleInstance::listen()
{
    // Whoever holds the lock owns the socket: one left by a crashed instance is stale.
    QLocalServer::removeServer(m_socketPath);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_socketPath))
        return;  // later starts then end without reaching this one, as before
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* client = m_server->nextPendingConnection()) {
            const auto read = [this, client] {
                if (client->readAll().contains(kActivate))
                    emit activationRequested();
            };
            connect(client, &QLocalSocket::readyRead, this, read);
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            if (client->bytesAvailable() > 0)
                read();
        }
    });
}

bool SingleInstance::activateRunning() const
{
    // The running instance may have taken the lock but not yet opened its socket.
    for (int attempt = 0; attempt < 10; ++attempt) {
        QLocalSocket socket;
        socket.connectToServer(m_socketPath);
        if (socket.waitForConnected(500)) {
            socket.write(&kActivate, 1);
            const bool sent = socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            return sent;
        }
        QThread::msleep(100);
    }
    return false;
}

}  // namespace vantrel::platform
