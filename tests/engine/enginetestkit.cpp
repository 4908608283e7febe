#include "enginetestkit.h"

#include "core/program/appfolder.h"
#include "engine/mpvengine.h"

#include <QTimer>

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

void LoopbackServer::serve(
    const QByteArray &path, const QByteArray &body, const QByteArray &contentType)
{
    m_answers.insert(path, { "HTTP/1.0 200 OK\r\nContent-Type: " + contentType + "\r\n", body });
}

void LoopbackServer::redirect(const QByteArray &path, const QByteArray &location)
{
    m_answers.insert(path, { "HTTP/1.0 302 Found\r\nLocation: " + location + "\r\n", {} });
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
    const QByteArray path = request.left(request.indexOf("\r\n")).split(' ').value(1);
    m_paths << path;
    QTimer::singleShot(m_delayMs, socket, [this, socket, path] { respond(socket, path); });
}

void LoopbackServer::respond(QTcpSocket *socket, const QByteArray &path)
{
    // Ranges are not offered: every request gets the whole body.
    const Answer answer = answerFor(path);
    socket->write(answer.head + "Content-Length: " + QByteArray::number(answer.body.size())
        + "\r\nConnection: close\r\n\r\n");
    socket->write(answer.body);
    socket->disconnectFromHost();
}

LoopbackServer::Answer LoopbackServer::answerFor(const QByteArray &path) const
{
    if (m_answers.isEmpty())
        return { "HTTP/1.0 200 OK\r\nContent-Type: " + m_contentType + "\r\n", m_body };
    return m_answers.value(
        path, { "HTTP/1.0 404 Not Found\r\nContent-Type: text/html\r\n", "<h1>Not Found</h1>" });
}
