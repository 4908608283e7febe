#include "support/pageserver.h"

#include <QTcpSocket>

#include <utility>

bool PageServer::listen()
{
    connect(&m_server, &QTcpServer::newConnection, this, &PageServer::accept, Qt::UniqueConnection);
    return m_server.listen(QHostAddress::LocalHost);
}

QString PageServer::address() const
{
    return QStringLiteral("http://127.0.0.1:%1/tunvia/updatex.htm").arg(m_server.serverPort());
}

void PageServer::release()
{
    reply = Reply::Page;
    for (QTcpSocket *socket : std::exchange(m_held, {})) {
        --requests; // counted when it came
        respond(socket);
    }
}

void PageServer::accept()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { respond(socket); });
    }
}

void PageServer::respond(QTcpSocket *socket)
{
    const QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    socket->setProperty("request", request);
    if (request.count("\r\n\r\n") != 1)
        return; // not complete yet, or answered already
    ++requests;
    switch (reply) {
    case Reply::Held:
        m_held.append(socket);
        return;
    case Reply::Silent:
        return; // the connection stays open and nothing comes
    case Reply::Page:
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: "
            + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        break;
    case Reply::StreamWithoutLength:
        socket->write("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + body);
        break;
    case Reply::CompressedBomb: {
        const QByteArray packed = qCompress(QByteArray(64 << 20, '\0'), 9).mid(4); // zlib stream
        socket->write("HTTP/1.1 200 OK\r\nContent-Encoding: deflate\r\nContent-Length: "
            + QByteArray::number(packed.size()) + "\r\nConnection: close\r\n\r\n" + packed);
        break;
    }
    case Reply::NotFound:
        socket->write(
            "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\nConnection: close\r\n\r\nnot found");
        break;
    }
    socket->disconnectFromHost(); // after what was written has gone out
}
