#include "ui/desktop/singleinstance.h"

#include "core/program/handoffmessage.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QEvent>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QTimer>

#include <memory>

#ifdef Q_OS_LINUX
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

// A peer that connects and then sends nothing is not kept for ever.
constexpr int kPeerTimeoutMs = 10000;
// Peers at one time: past this the oldest is dropped, so that a flood of
// connections cannot take every descriptor (a hand-off takes milliseconds).
constexpr qsizetype kMaxPeers = 64;
// Listening again failed (descriptors still short): when to try once more.
constexpr int kRelistenMs = 500;

int remaining(const QDeadlineTimer &deadline)
{
    return int(qMax<qint64>(0, deadline.remainingTime()));
}

// The socket's folder is the user's own; a peer of another user is refused
// all the same, should the folder be shared after all.
bool sameUser(QLocalSocket *peer)
{
#ifdef Q_OS_LINUX
    struct ucred credentials
    {
    };
    socklen_t size = sizeof credentials;
    if (::getsockopt(int(peer->socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &credentials, &size)
        != 0)
        return false;
    return credentials.uid == ::getuid();
#else
    Q_UNUSED(peer);
    return true;
#endif
}

} // namespace

QString SingleInstance::socketPath(const QString &appFolder)
{
    const QByteArray hash
        = QCryptographicHash::hash(appFolder.toUtf8(), QCryptographicHash::Sha256).toHex();
    const QString name = QStringLiteral("tunvia-") + QString::fromLatin1(hash.left(16));
#ifdef Q_OS_WIN
    return name; // a pipe of the user's session
#else
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QString() : runtime + u'/' + name + QStringLiteral(".socket");
#endif
}

SingleInstance::HandOff SingleInstance::handOff(
    const QString &path, const QStringList &locations, int timeoutMs, PeerCommand command)
{
    if (path.isEmpty())
        return HandOff::NoInstance;
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(remaining(deadline))) {
        return socket.error() == QLocalSocket::SocketTimeoutError ? HandOff::NotAnswering
                                                                  : HandOff::NoInstance;
    }
    socket.write(HandOffMessage::encode(locations, command));
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(remaining(deadline)))
            return HandOff::NotAnswering;
    }
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(remaining(deadline)))
            return HandOff::NotAnswering;
    }
    char answer = 0;
    socket.read(&answer, 1);
    return answer == HandOffMessage::kAccepted ? HandOff::Delivered : HandOff::NotAnswering;
}

SingleInstance::SingleInstance(const QString &path, QObject *parent)
    : QObject(parent)
    , m_path(path)
    , m_server(new QLocalServer(this))
{
    // No access options: with them Qt binds elsewhere and renames the socket
    // into place, which would replace the socket of a running instance. The
    // runtime folder is the user's alone anyway.
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    // When accept fails (at the descriptor limit) the server closes and
    // removes its socket; no signal says so, but it drops its notifier then.
    m_server->installEventFilter(this);
    m_relisten.setSingleShot(true);
    m_relisten.setInterval(kRelistenMs);
    connect(&m_relisten, &QTimer::timeout, this, &SingleInstance::keepListening);
}

SingleInstance::~SingleInstance() = default;

SingleInstance::Claim SingleInstance::claim(
    const QStringList &locations, bool stopAsking, PeerCommand command)
{
    if (m_path.isEmpty())
        return Claim::Unavailable;
    // Starts at the same moment take turns, so only one of them takes over
    // a socket left behind.
    QLockFile turn(m_path + QStringLiteral(".lock"));
    turn.tryLock(2 * kHandOffTimeoutMs);
    if (listen())
        return Claim::Listening;
    if (!stopAsking && handOff(m_path, locations, kHandOffTimeoutMs, command) == HandOff::Delivered)
        return Claim::HandedOff;
    QLocalServer::removeServer(m_path);
    return listen() ? Claim::Listening : Claim::Unavailable;
}

bool SingleInstance::listen()
{
    m_listening = m_server->listen(m_path);
    return m_listening;
}

bool SingleInstance::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_server && event->type() == QEvent::ChildRemoved && m_listening
        && !m_server->isListening())
        QMetaObject::invokeMethod(this, &SingleInstance::keepListening, Qt::QueuedConnection);
    return QObject::eventFilter(watched, event);
}

// Listens again at the same path, so that the next start still hands over
// instead of running beside this one, unless another instance holds it now.
void SingleInstance::keepListening()
{
    if (!m_listening || m_server->isListening())
        return;
    if (m_server->listen(m_path))
        return;
    if (m_server->serverError() == QAbstractSocket::AddressInUseError)
        m_listening = false;
    else
        m_relisten.start();
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket *peer = m_server->nextPendingConnection()) {
        connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
        if (!sameUser(peer)) {
            peer->abort();
            peer->deleteLater();
            continue;
        }
        m_peers.removeAll(nullptr);
        if (m_peers.size() >= kMaxPeers) {
            QLocalSocket *oldest = m_peers.takeFirst();
            oldest->abort();
            oldest->deleteLater();
        }
        m_peers.append(peer);
        auto buffer = std::make_shared<QByteArray>();
        connect(
            peer, &QLocalSocket::readyRead, this, [this, peer, buffer] { receive(peer, *buffer); });
        QTimer::singleShot(kPeerTimeoutMs, peer, [peer] {
            peer->abort();
            peer->deleteLater();
        });
    }
}

// The answer goes out before anything is played, so the later start can end
// at once whatever the engine is doing.
void SingleInstance::receive(QLocalSocket *peer, QByteArray &buffer)
{
    buffer += peer->readAll();
    QStringList locations;
    PeerCommand command = PeerCommand::Open;
    switch (HandOffMessage::decode(buffer, &command, &locations)) {
    case HandOffMessage::Status::Incomplete:
        return;
    case HandOffMessage::Status::Invalid:
        peer->abort();
        peer->deleteLater();
        return;
    case HandOffMessage::Status::Complete:
        break;
    }
    disconnect(peer, &QLocalSocket::readyRead, this, nullptr);
    buffer.clear();
    peer->write(&HandOffMessage::kAccepted, 1);
    peer->disconnectFromServer();
    if (command == PeerCommand::Open)
        Q_EMIT locationsReceived(locations);
    else
        Q_EMIT commandReceived(command, locations);
}
