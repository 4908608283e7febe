#include "support/mediaserver.h"

#include <QTcpSocket>

MediaServer::MediaServer(const QString &path, QByteArray body, QObject *parent)
    : QObject(parent)
    , m_path(path)
    , m_body(std::move(body))
{
    connect(&m_server, &QTcpServer::newConnection, this, &MediaServer::accept);
}

void MediaServer::accept()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        socket->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, 16 * 1024);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequest(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void MediaServer::readRequest(QTcpSocket *socket)
{
    if (socket->property("answered").toBool() || !socket->canReadLine())
        return;
    const QList<QByteArray> requestLine = socket->readLine().trimmed().split(' ');
    socket->setProperty("answered", true);
    if (requestLine.size() < 2 || requestLine.at(0) != "GET") {
        socket->disconnectFromHost(); // not HTTP GET (the update check speaks TLS)
        return;
    }
    respond(socket, QString::fromUtf8(requestLine.at(1)));
}

void MediaServer::respond(QTcpSocket *socket, const QString &path)
{
    requested << path;
    if (path != m_path) {
        socket->write("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        socket->disconnectFromHost();
        return;
    }
    const QByteArray head = "HTTP/1.1 200 OK\r\nContent-Type: audio/mpeg\r\nContent-Length: "
        + QByteArray::number(m_body.size()) + "\r\nConnection: close\r\n\r\n";
    const qint64 total = head.size() + m_body.size();
    auto sent = std::make_shared<qint64>(0);
    connect(socket, &QTcpSocket::bytesWritten, this, [this, path, total, sent](qint64 bytes) {
        *sent += bytes;
        if (*sent == total)
            completed << path;
    });
    socket->write(head + m_body);
}
