#include "platform/system/singleinstance.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

namespace {

constexpr int kTimeoutMs = 2000;
const QByteArray kRequest = "show\n";
const QByteArray kReply = "ok\n";

QString userName()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("LOGNAME");
    return user;
}

} // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent) : QObject(parent)
{
    // Socket names become file names: keep them short and free of blanks and slashes.
    const QByteArray hash = QCryptographicHash::hash((key + QLatin1Char('\n') + userName()).toUtf8(),
                                                     QCryptographicHash::Sha1).toHex().left(16);
    m_name = QStringLiteral("velmora-") + QString::fromLatin1(hash);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::start()
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (notifyRunningCopy())
            return false;
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
        if (m_server->listen(m_name))
            return true;
        // Nobody answered: the socket was left by a copy that crashed. Remove it and listen.
        if (m_server->serverError() == QAbstractSocket::AddressInUseError) {
            QLocalServer::removeServer(m_name);
            if (m_server->listen(m_name))
                return true;
        }
        delete m_server;
        m_server = nullptr;
    }
    // No socket could be set up; running without the guard beats not running at all.
    return true;
}

bool SingleInstance::notifyRunningCopy()
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(kTimeoutMs))
        return false;
    // A copy is listening. Even when it is too busy to answer in time, it runs: this
    // copy must not take over its socket.
    socket.write(kRequest);
    socket.waitForBytesWritten(kTimeoutMs);
    while (!socket.canReadLine() && socket.waitForReadyRead(kTimeoutMs)) {
    }
    return true;
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            if (socket->readLine() == kRequest) {
                socket->write(kReply);
                socket->flush();
                emit activationRequested();
            }
            socket->disconnectFromServer();
        });
    }
}
