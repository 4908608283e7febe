#include "enginetestkit.h"

#include "app/appfolder.h"
#include "engine/mpvengine.h"

namespace EngineTestKit {

std::unique_ptr<MpvEngine> createEngine(const QString &folder)
{
    std::unique_ptr<MediaEngine> engine = MpvEngine::create(AppFolder(folder));
    return std::unique_ptr<MpvEngine>(static_cast<MpvEngine *>(engine.release()));
}

quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

} // namespace EngineTestKit

LoopbackServer::LoopbackServer(Mode mode, const QByteArray &body, const QByteArray &contentType)
    : m_mode(mode)
    , m_body(body)
    , m_contentType(contentType)
{
    connect(&m_server, &QTcpServer::newConnection, this, &LoopbackServer::accept);
    m_server.listen(QHostAddress::LocalHost);
}

QString LoopbackServer::url(const QString &path) const
{
    return QStringLiteral("http://127.0.0.1:%1/%2").arg(port()).arg(path);
}

void LoopbackServer::accept()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        ++m_connections;
        m_sockets << socket;
        if (m_mode == Mode::Silent)
            continue;
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
    }
}

void LoopbackServer::answer(QTcpSocket *socket)
{
    QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    socket->setProperty("request", request);
    if (!request.contains("\r\n\r\n") || socket->property("answered").toBool())
        return;
    socket->setProperty("answered", true);
    // Ranges are not offered: every request gets the whole body.
    socket->write("HTTP/1.0 200 OK\r\nContent-Type: " + m_contentType + "\r\nContent-Length: "
        + QByteArray::number(m_body.size()) + "\r\nConnection: close\r\n\r\n");
    socket->write(m_body);
    socket->disconnectFromHost();
}
